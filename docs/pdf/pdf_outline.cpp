#include "pdf_outline.h"

#include <QRegularExpression>

#include <cstdio>
#include <map>
#include <optional>

namespace {

// The last match of pattern's first group in text, as a number.
std::optional<qint64> lastNumber(const QByteArray& text, const char* pattern) {
    const QRegularExpression re(QString::fromLatin1(pattern));
    std::optional<qint64> found;
    for (auto it = re.globalMatch(QString::fromLatin1(text)); it.hasNext();) {
        found = it.next().captured(1).toLongLong();
    }
    return found;
}

// The offsets of the objects of the file's one cross-reference table.
std::map<int, qint64> readXref(const QByteArray& pdf, qint64 at) {
    std::map<int, qint64> offsets;
    const QRegularExpression header(QStringLiteral("^xref\\s+(\\d+)\\s+(\\d+)\\s"));
    const QByteArray head = pdf.mid(at, 64);
    const auto match = header.match(QString::fromLatin1(head));
    if (!match.hasMatch()) {
        return offsets;
    }
    const int first = match.captured(1).toInt();
    const int count = match.captured(2).toInt();
    qint64 entry = at + match.capturedEnd(0);
    for (int i = 0; i < count && entry + 20 <= pdf.size(); ++i, entry += 20) {
        if (pdf.at(entry + 17) == 'n') {
            offsets[first + i] = pdf.mid(entry, 10).toLongLong();
        }
    }
    return offsets;
}

// The dictionary of object number at offset, between its "<<" and its last ">>".
QByteArray dictionaryAt(const QByteArray& pdf, qint64 offset, int number) {
    const QByteArray opening = QByteArray::number(number) + " 0 obj";
    if (offset < 0 || pdf.mid(offset, opening.size()) != opening) {
        return {};
    }
    const qint64 end = pdf.indexOf("endobj", offset);
    const qint64 open = pdf.indexOf("<<", offset);
    const qint64 close = pdf.lastIndexOf(">>", end);
    if (end < 0 || open < 0 || close < open || open > end) {
        return {};
    }
    return pdf.mid(open + 2, close - open - 2);
}

// A PDF text string of any text: UTF-16BE with its byte-order mark, in hex.
QByteArray textString(const QString& text) {
    QByteArray units("\xFE\xFF");
    for (const QChar c : text) {
        units.append(static_cast<char>(c.unicode() >> 8));
        units.append(static_cast<char>(c.unicode() & 0xFF));
    }
    return "<" + units.toHex().toUpper() + ">";
}

} // namespace

bool AppendOutline(QByteArray& pdf, const std::vector<Chapter>& chapters) {
    const qsizetype trailerAt = pdf.lastIndexOf("trailer");
    if (trailerAt < 0) {
        return false;
    }
    const QByteArray trailer = pdf.mid(trailerAt);
    const std::optional<qint64> xrefAt = lastNumber(trailer, "startxref\\s+(\\d+)");
    const std::optional<qint64> size = lastNumber(trailer, "/Size\\s+(\\d+)");
    const std::optional<qint64> root = lastNumber(trailer, "/Root\\s+(\\d+)\\s+0\\s+R");
    const std::optional<qint64> info = lastNumber(trailer, "/Info\\s+(\\d+)\\s+0\\s+R");
    if (!xrefAt || !size || !root || chapters.empty()) {
        return false;
    }
    const std::map<int, qint64> offsets = readXref(pdf, *xrefAt);
    const auto offsetOf = [&offsets](qint64 number) {
        const auto it = offsets.find(static_cast<int>(number));
        return it != offsets.end() ? it->second : -1;
    };
    const QByteArray catalog = dictionaryAt(pdf, offsetOf(*root), static_cast<int>(*root));
    const std::optional<qint64> pagesRoot = lastNumber(catalog, "/Pages\\s+(\\d+)\\s+0\\s+R");
    if (!pagesRoot || catalog.contains("/Outlines")) {
        return false;
    }
    const QByteArray pagesTree =
        dictionaryAt(pdf, offsetOf(*pagesRoot), static_cast<int>(*pagesRoot));
    QList<QByteArray> pages;
    const QRegularExpression kid(QStringLiteral("(\\d+)\\s+0\\s+R"));
    const qsizetype kids = pagesTree.indexOf("/Kids");
    const qsizetype kidsEnd = pagesTree.indexOf(']', kids);
    if (kids < 0 || kidsEnd < 0) {
        return false;
    }
    const QString kidList = QString::fromLatin1(pagesTree.mid(kids, kidsEnd - kids));
    for (auto it = kid.globalMatch(kidList); it.hasNext();) {
        pages.append(it.next().captured(1).toLatin1());
    }
    for (const Chapter& chapter : chapters) {
        if (chapter.page < 0 || chapter.page >= pages.size()) {
            return false;
        }
    }

    // The outline's root, then one item per chapter, numbered after the
    // file's last object; the catalogue is written again with the outline.
    QByteArray update = "\n";
    std::vector<std::pair<qint64, qint64>> written;
    const qint64 outlineRoot = *size;
    const auto count = static_cast<qint64>(chapters.size());
    const auto add = [&](qint64 number, const QByteArray& dictionary) {
        written.emplace_back(number, pdf.size() + update.size());
        update += QByteArray::number(number) + " 0 obj\n<<" + dictionary + ">>\nendobj\n";
    };
    add(*root, catalog + "/Outlines " + QByteArray::number(outlineRoot) +
                   " 0 R\n/PageMode /UseOutlines\n");
    add(outlineRoot, "/Type /Outlines /First " + QByteArray::number(outlineRoot + 1) +
                         " 0 R /Last " + QByteArray::number(outlineRoot + count) + " 0 R /Count " +
                         QByteArray::number(count));
    for (qint64 i = 0; i < count; ++i) {
        const Chapter& chapter = chapters[static_cast<size_t>(i)];
        QByteArray item = "/Title " + textString(chapter.title) + " /Parent " +
                          QByteArray::number(outlineRoot) + " 0 R";
        if (i > 0) {
            item += " /Prev " + QByteArray::number(outlineRoot + i) + " 0 R";
        }
        if (i + 1 < count) {
            item += " /Next " + QByteArray::number(outlineRoot + i + 2) + " 0 R";
        }
        item += " /Dest [" + pages[chapter.page] + " 0 R /XYZ null " +
                QByteArray::number(chapter.top, 'f', 2) + " null]";
        add(outlineRoot + 1 + i, item);
    }

    const qint64 xref = pdf.size() + update.size();
    update += "xref\n";
    // One subsection for the catalogue, one for the new objects.
    char entry[24];
    std::snprintf(entry, sizeof entry, "%010lld 00000 n \n",
                  static_cast<long long>(written.front().second));
    update += QByteArray::number(*root) + " 1\n" + entry;
    update += QByteArray::number(outlineRoot) + " " + QByteArray::number(count + 1) + "\n";
    for (size_t i = 1; i < written.size(); ++i) {
        std::snprintf(entry, sizeof entry, "%010lld 00000 n \n",
                      static_cast<long long>(written[i].second));
        update += entry;
    }
    update += "trailer\n<< /Size " + QByteArray::number(outlineRoot + count + 1) + " /Root " +
              QByteArray::number(*root) + " 0 R";
    if (info) {
        update += " /Info " + QByteArray::number(*info) + " 0 R";
    }
    update += " /Prev " + QByteArray::number(*xrefAt) + " >>\nstartxref\n" +
              QByteArray::number(xref) + "\n%%EOF\n";
    pdf += update;
    return true;
}
