// The open and save file selections as Qt file dialogs.
#include "platform/commdlg.h"
#include "platform/qt_backend.h"
#include "platform/window.h"

#include <QFileDialog>
#include <QFileInfo>

#include <cstring>

namespace orv {

namespace {

// "Text\0pattern\0...\0\0" as Qt's "Text (pattern)" filters; several
// patterns are separated by ';' in Win32 and by blanks in Qt.
QStringList filtersOf(const char* filter) {
    QStringList result;
    while (filter != nullptr && *filter != '\0') {
        const char* pattern = filter + std::strlen(filter) + 1;
        if (*pattern == '\0') {
            break;
        }
        result << QString("%1 (%2)").arg(QString::fromLocal8Bit(filter),
                                         QString::fromLocal8Bit(pattern).replace(';', ' '));
        filter = pattern + std::strlen(pattern) + 1;
    }
    return result;
}

// Writes the chosen path into the record as the Win32 selection does;
// false when it does not fit the caller's buffer.
bool store(OPENFILENAMEA* ofn, const QString& chosen) {
    const QByteArray path = QFileInfo(chosen).absoluteFilePath().toLocal8Bit();
    if (ofn->lpstrFile == nullptr || static_cast<DWORD>(path.size()) + 1 > ofn->nMaxFile) {
        return false;
    }
    std::memcpy(ofn->lpstrFile, path.constData(), static_cast<std::size_t>(path.size()) + 1);
    const int slash = path.lastIndexOf('/');
    const int dot = path.lastIndexOf('.');
    ofn->nFileOffset = static_cast<WORD>(slash + 1);
    ofn->nFileExtension = static_cast<WORD>(dot > slash ? dot + 1 : 0);
    if (ofn->lpstrFileTitle != nullptr && ofn->nMaxFileTitle > 0) {
        const QByteArray title = path.mid(slash + 1);
        const std::size_t count = std::min(static_cast<std::size_t>(title.size()),
                                           static_cast<std::size_t>(ofn->nMaxFileTitle) - 1);
        std::memcpy(ofn->lpstrFileTitle, title.constData(), count);
        ofn->lpstrFileTitle[count] = '\0';
    }
    return true;
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
    if (ofn->lpstrInitialDir != nullptr) {
        dialog.setDirectory(QString::fromLocal8Bit(ofn->lpstrInitialDir));
    }
    if (ofn->lpstrFile != nullptr && ofn->lpstrFile[0] != '\0') {
        dialog.selectFile(QString::fromLocal8Bit(ofn->lpstrFile));
    }
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode((ofn->Flags & OFN_FILEMUSTEXIST) != 0 ? QFileDialog::ExistingFile
                                                             : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, (ofn->Flags & OFN_OVERWRITEPROMPT) == 0);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return FALSE;
    }
    return store(ofn, dialog.selectedFiles().constFirst()) ? TRUE : FALSE;
}

} // namespace

BOOL QtBackend::getOpenFileName(OPENFILENAMEA* ofn) {
    return select(*this, ofn, false);
}

BOOL QtBackend::getSaveFileName(OPENFILENAMEA* ofn) {
    return select(*this, ofn, true);
}

} // namespace orv
