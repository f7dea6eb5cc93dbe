#include "pdf_reader.h"

#include <QRegularExpression>

namespace orv::test {

namespace {

// The number of the object that key refers to in a dictionary ("/Key N 0 R"),
// or -1.
int reference(const QByteArray& dictionary, const QString& key) {
    const QRegularExpression re(key + QStringLiteral("\\s*(\\d+)\\s+0\\s+R"));
    const auto match = re.match(QString::fromLatin1(dictionary));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// A stream's data, inflated when it is compressed.
QByteArray streamOf(const QByteArray& object) {
    const qsizetype start = object.indexOf("stream\n") + 7;
    const qsizetype end = object.lastIndexOf("endstream");
    if (start < 7 || end < start) {
        return {};
    }
    QByteArray data = object.mid(start, end - start);
    if (!object.left(start).contains("/FlateDecode")) {
        return data;
    }
    // qUncompress wants the size ahead of the zlib data; a guess will do.
    const quint32 guess = static_cast<quint32>(data.size()) * 8;
    data.prepend(QByteArray::fromHex(QByteArray::number(guess, 16).rightJustified(8, '0')));
    return qUncompress(data);
}

// Glyph code to text, from a ToUnicode map of single codes and ranges.
std::map<int, QString> unicodeMap(const QByteArray& cmap) {
    std::map<int, QString> codes;
    const QRegularExpression range(
        QStringLiteral("<([0-9A-F]+)>\\s*<([0-9A-F]+)>\\s*(\\[[^\\]]*\\]|<[0-9A-F]+>)"));
    const QRegularExpression hex(QStringLiteral("<([0-9A-F]+)>"));
    for (auto it = range.globalMatch(QString::fromLatin1(cmap)); it.hasNext();) {
        const auto m = it.next();
        const int first = m.captured(1).toInt(nullptr, 16);
        const int last = m.captured(2).toInt(nullptr, 16);
        const QString target = m.captured(3);
        int code = first;
        for (auto u = hex.globalMatch(target); u.hasNext() && code <= last; ++code) {
            const int unit = u.next().captured(1).toInt(nullptr, 16);
            codes[code] = QString(QChar(unit));
            if (!target.startsWith('[')) {
                for (++code; code <= last; ++code) {
                    codes[code] = QString(QChar(unit + code - first));
                }
            }
        }
    }
    return codes;
}

} // namespace

PdfReader::PdfReader(QByteArray bytes) : bytes_(std::move(bytes)) {
    const QRegularExpression startxref(QStringLiteral("startxref\\s+(\\d+)\\s+%%EOF\\s*$"));
    const auto last = startxref.match(QString::fromLatin1(bytes_.right(64)));
    qint64 xref = last.hasMatch() ? last.captured(1).toLongLong() : -1;
    const QRegularExpression subsection(QStringLiteral("^(\\d+) (\\d+)\\s"));
    // Each table, newest first; an object keeps the offset it has in the
    // newest table that lists it.
    while (xref >= 0 && bytes_.mid(xref, 4) == "xref") {
        qint64 at = xref + 5;
        for (;;) {
            const auto m = subsection.match(QString::fromLatin1(bytes_.mid(at, 32)));
            if (!m.hasMatch()) {
                break;
            }
            at += m.capturedLength(0);
            for (int i = 0; i < m.captured(2).toInt(); ++i, at += 20) {
                if (bytes_.at(at + 17) == 'n') {
                    offsets_.try_emplace(m.captured(1).toInt() + i,
                                         bytes_.mid(at, 10).toLongLong());
                }
            }
        }
        const QByteArray trailer = bytes_.mid(at, bytes_.indexOf(">>", at) - at);
        if (root_ < 0) {
            root_ = reference(trailer, QStringLiteral("/Root"));
        }
        const QRegularExpression prev(QStringLiteral("/Prev\\s+(\\d+)"));
        const auto p = prev.match(QString::fromLatin1(trailer));
        xref = p.hasMatch() ? p.captured(1).toLongLong() : -1;
    }
    const QByteArray tree = object(reference(object(root_), QStringLiteral("/Pages")));
    const QByteArray kids =
        tree.mid(tree.indexOf("/Kids"), tree.indexOf(']') - tree.indexOf("/Kids"));
    const QRegularExpression kid(QStringLiteral("(\\d+)\\s+0\\s+R"));
    for (auto it = kid.globalMatch(QString::fromLatin1(kids)); it.hasNext();) {
        pages_.push_back(it.next().captured(1).toInt());
    }
}

QByteArray PdfReader::object(int number) const {
    const auto it = offsets_.find(number);
    if (it == offsets_.end()) {
        return {};
    }
    const QByteArray opening = QByteArray::number(number) + " 0 obj";
    if (bytes_.mid(it->second, opening.size()) != opening) {
        return {};
    }
    const qint64 start = it->second + opening.size();
    return bytes_.mid(start, bytes_.indexOf("endobj", start) - start);
}

std::vector<TextRun> PdfReader::text(int page) const {
    const QByteArray pageObject = object(page);
    const QByteArray resources = object(reference(pageObject, QStringLiteral("/Resources")));
    std::map<QString, std::map<int, QString>> fonts;
    const QRegularExpression font(QStringLiteral("/(F\\d+)\\s+(\\d+)\\s+0\\s+R"));
    for (auto it = font.globalMatch(QString::fromLatin1(resources)); it.hasNext();) {
        const auto m = it.next();
        const QByteArray toUnicode =
            object(reference(object(m.captured(2).toInt()), QStringLiteral("/ToUnicode")));
        fonts[m.captured(1)] = unicodeMap(streamOf(toUnicode));
    }
    const QString content =
        QString::fromLatin1(streamOf(object(reference(pageObject, QStringLiteral("/Contents")))));
    std::vector<TextRun> runs;
    TextRun run;
    const std::map<int, QString>* codes = nullptr;
    const QRegularExpression operation(
        QStringLiteral("/(F\\d+) ([\\d.]+) Tf|<([0-9A-F]+)> Tj|\\bET\\b"));
    for (auto it = operation.globalMatch(content); it.hasNext();) {
        const auto m = it.next();
        if (m.capturedLength(1) > 0) {
            codes = &fonts[m.captured(1)];
            run.size = m.captured(2).toDouble();
        } else if (m.capturedLength(3) > 0 && codes != nullptr) {
            const QString glyphs = m.captured(3);
            for (qsizetype i = 0; i + 4 <= glyphs.size(); i += 4) {
                const auto found = codes->find(glyphs.mid(i, 4).toInt(nullptr, 16));
                run.text += found != codes->end() ? found->second : QStringLiteral("?");
            }
        } else {
            run.text = run.text.normalized(QString::NormalizationForm_KC).simplified().remove(' ');
            runs.push_back(run);
            run.text.clear();
        }
    }
    return runs;
}

std::vector<Bookmark> PdfReader::outline() const {
    std::vector<Bookmark> items;
    const int outlines = reference(object(root_), QStringLiteral("/Outlines"));
    const QRegularExpression title(QStringLiteral("/Title\\s*<FEFF([0-9A-F]*)>"));
    for (int item = reference(object(outlines), QStringLiteral("/First"));
         item >= 0 && items.size() < 1000;
         item = reference(object(item), QStringLiteral("/Next"))) {
        const QByteArray body = object(item);
        const QByteArray utf16 =
            QByteArray::fromHex(title.match(QString::fromLatin1(body)).captured(1).toLatin1());
        Bookmark mark;
        for (qsizetype i = 0; i + 1 < utf16.size(); i += 2) {
            mark.title += QChar(static_cast<char16_t>((static_cast<unsigned char>(utf16[i]) << 8) |
                                                      static_cast<unsigned char>(utf16[i + 1])));
        }
        const int page = reference(body, QStringLiteral("/Dest\\s*\\["));
        for (size_t i = 0; i < pages_.size(); ++i) {
            if (pages_[i] == page) {
                mark.page = static_cast<int>(i);
            }
        }
        items.push_back(mark);
    }
    return items;
}

} // namespace orv::test
