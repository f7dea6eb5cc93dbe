// The open and save file selections as Qt file dialogs.
#include "platform/commdlg.h"
#include "platform/file_selection.h"
#include "platform/qt_backend.h"
#include "platform/window.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace orv {

namespace {

// Qt writes a filter as "Text (pattern)", with blanks where Win32 puts ';'
// between several patterns. A description that already ends in its
// patterns, as "Targa files (*.tga)" does, is taken as it stands.
QStringList filtersOf(const char* filter) {
    QStringList result;
    for (const FileFilter& entry : FilterEntries(filter)) {
        const QString description = QString::fromStdString(entry.description);
        const QString patterns = QString::fromStdString(entry.pattern).replace(';', ' ');
        if (description.endsWith(QString("(%1)").arg(patterns))) {
            result << description;
        } else {
            result << QString("%1 (%2)").arg(description, patterns);
        }
    }
    return result;
}

// A name in a folder that does not exist is refused with a word to the
// user, who then chooses again.
void refuseMissingFolder(QFileDialog* dialog, const QFileInfo& chosen) {
    QMessageBox::warning(dialog, dialog->windowTitle(),
                         QString("%1\nThe folder does not exist.\nCheck the folder name and try "
                                 "again.")
                             .arg(QDir::toNativeSeparators(chosen.absolutePath())));
}

BOOL select(QtBackend& backend, OPENFILENAMEA* ofn, bool save) {
    backend.flush();
    QFileDialog dialog(WidgetOf(ofn->hwndOwner));
    if (ofn->lpstrTitle != nullptr) {
        dialog.setWindowTitle(QString::fromLocal8Bit(ofn->lpstrTitle));
    }
    const QStringList filters = filtersOf(ofn->lpstrFilter);
    dialog.setNameFilters(filters);
    if (ofn->nFilterIndex >= 1 && ofn->nFilterIndex <= static_cast<DWORD>(filters.size())) {
        dialog.selectNameFilter(filters.at(static_cast<int>(ofn->nFilterIndex) - 1));
    }
    if (ofn->lpstrDefExt != nullptr) {
        dialog.setDefaultSuffix(QString::fromLocal8Bit(ofn->lpstrDefExt));
    }
    dialog.setDirectory(QString::fromStdString(StartDirectory(*ofn)));
    if (ofn->lpstrFile != nullptr && ofn->lpstrFile[0] != '\0' &&
        !IsPattern(FileTitleOf(ofn->lpstrFile))) {
        dialog.selectFile(QString::fromLocal8Bit(FileTitleOf(ofn->lpstrFile)));
    }
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode((ofn->Flags & OFN_FILEMUSTEXIST) != 0 ? QFileDialog::ExistingFile
                                                             : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, (ofn->Flags & OFN_OVERWRITEPROMPT) == 0);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return FALSE;
        }
        const QFileInfo chosen(dialog.selectedFiles().constFirst());
        if ((ofn->Flags & OFN_PATHMUSTEXIST) != 0 && !chosen.absoluteDir().exists()) {
            refuseMissingFolder(&dialog, chosen);
            continue;
        }
        return StoreFileSelection(ofn, chosen.absoluteFilePath().toLocal8Bit().toStdString())
                   ? TRUE
                   : FALSE;
    }
}

} // namespace

BOOL QtBackend::getOpenFileName(OPENFILENAMEA* ofn) {
    return select(*this, ofn, false);
}

BOOL QtBackend::getSaveFileName(OPENFILENAMEA* ofn) {
    return select(*this, ofn, true);
}

} // namespace orv
