#include "GroupFile.h"

#include "TextEncoding.h"
#include "common/UserError.h"
#include "common/WholeFile.h"
#include "objects/ObjectList.h"

#include <QDir>
#include <QFile>

namespace {

// No group file comes near this; anything larger is not one.
constexpr qint64 MaxGroupFileBytes = 64 * 1024 * 1024;

enum class FieldEnd { Comma, LineEnd, FileEnd };

struct Field {
    QString Value;
    FieldEnd End = FieldEnd::FileEnd;
};

// Reads the file field by field: a quoted field is everything up to the next
// double quote, an unquoted one runs to the next comma or line end and loses
// its surrounding blanks. CR LF, LF and CR all end a line.
class FieldReader {
public:
    explicit FieldReader(QString text)
        : m_text(std::move(text))
    {
        // A byte order mark, as some editors write, is not part of the header.
        if (m_text.startsWith(QChar(0xFEFF)))
            m_pos = 1;
    }

    [[nodiscard]] int Line() const { return m_line; }

    // Where the line of the next field begins; AtEnd has passed the blanks
    // that may stand before the field.
    [[nodiscard]] qsizetype LineStart() const
    {
        qsizetype start = m_pos;
        while (start > 0 && IsBlank(m_text[start - 1]))
            --start;
        return start;
    }

    // The text from a place to the end of the line read last, without its
    // line end.
    [[nodiscard]] QString TextSince(qsizetype start) const { return m_text.mid(start, m_lineEnd - start); }

    // Passes blank lines; true when nothing but blanks is left.
    bool AtEnd()
    {
        while (m_pos < m_text.size() && (IsBlank(Peek()) || IsLineBreak(Peek())))
            Advance();
        return m_pos >= m_text.size();
    }

    Field Read()
    {
        SkipBlanks();
        Field field;
        if (m_pos < m_text.size() && Peek() == u'"') {
            Advance();
            const qsizetype close = m_text.indexOf(u'"', m_pos);
            if (close < 0)
                throw UserError(QStringLiteral("a quoted text on line %1 is never closed").arg(m_line));
            field.Value = m_text.mid(m_pos, close - m_pos);
            while (m_pos <= close)
                Advance();
            // Whatever stands between the closing quote and the separator is
            // not part of the field.
            while (m_pos < m_text.size() && Peek() != u',' && !IsLineBreak(Peek()))
                Advance();
        } else {
            const qsizetype start = m_pos;
            while (m_pos < m_text.size() && Peek() != u',' && !IsLineBreak(Peek()))
                Advance();
            field.Value = m_text.mid(start, m_pos - start).trimmed();
        }
        field.End = ReadSeparator();
        return field;
    }

    void SkipRestOfLine()
    {
        while (m_pos < m_text.size() && !IsLineBreak(Peek()))
            Advance();
        ReadSeparator();
    }

private:
    static bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }
    static bool IsLineBreak(QChar c) { return c == u'\r' || c == u'\n'; }
    [[nodiscard]] QChar Peek() const { return m_text[m_pos]; }

    void Advance()
    {
        const QChar c = m_text[m_pos++];
        // CR LF counts once, on its LF.
        if (c == u'\n' || (c == u'\r' && (m_pos >= m_text.size() || m_text[m_pos] != u'\n')))
            ++m_line;
    }

    void SkipBlanks()
    {
        while (m_pos < m_text.size() && IsBlank(Peek()))
            Advance();
    }

    FieldEnd ReadSeparator()
    {
        if (m_pos >= m_text.size()) {
            m_lineEnd = m_pos;
            return FieldEnd::FileEnd;
        }
        if (Peek() == u',') {
            Advance();
            return FieldEnd::Comma;
        }
        m_lineEnd = m_pos;
        if (Peek() == u'\r') {
            Advance();
            if (m_pos < m_text.size() && Peek() == u'\n')
                Advance();
        } else {
            Advance();
        }
        return FieldEnd::LineEnd;
    }

    QString m_text;
    qsizetype m_pos = 0;
    qsizetype m_lineEnd = 0;
    int m_line = 1;
};

void RequireNoQuote(const QString& text, const QString& what)
{
    if (text.contains(u'"'))
        throw UserError(
            QStringLiteral("%1 contains a double quote (\"), which a group file cannot hold: %2").arg(what, text));
}

QByteArray QuotedField(const QString& text)
{
    return '"' + text.toUtf8() + '"';
}

QString Described(const QString& path, const QString& problem)
{
    return QStringLiteral("Cannot open the group file %1: %2.").arg(QDir::toNativeSeparators(path), problem);
}

} // namespace

GroupFileContent ParseGroupFile(const QByteArray& bytes)
{
    FieldReader reader(DecodeGroupText(bytes));
    if (reader.AtEnd())
        throw UserError(QStringLiteral("the file is empty"));

    GroupFileContent content;
    const Field header = reader.Read();
    const qsizetype semicolon = header.Value.indexOf(u';');
    if (semicolon < 0) {
        content.Magic = header.Value;
    } else {
        content.Magic = header.Value.left(semicolon);
        content.CarValue = header.Value.mid(semicolon + 1).section(u';', 0, 0);
        content.HasCarValue = true;
    }
    if (!content.HasValidMagic())
        return content;
    if (header.End == FieldEnd::Comma)
        reader.SkipRestOfLine();

    while (!reader.AtEnd()) {
        const int line = reader.Line();
        const qsizetype start = reader.LineStart();
        const Field path = reader.Read();
        if (path.End != FieldEnd::Comma)
            throw UserError(QStringLiteral("line %1 ends after its first field (a picture line has two)").arg(line));
        const Field objects = reader.Read();
        if (objects.End == FieldEnd::Comma)
            reader.SkipRestOfLine();
        if (path.Value.isEmpty()) {
            // A line without a picture takes no slot, but it may carry
            // markers: it is kept whole, so a save writes it back.
            content.KeptLines.append(reader.TextSince(start));
            continue;
        }
        ++content.NamedPictures;
        if (content.Pictures.size() < GroupSlotCount)
            content.Pictures.append({ path.Value, objects.Value });
    }
    return content;
}

QByteArray FormatGroupFile(const QString& carValue, const QList<GroupPicture>& pictures, const QStringList& keptLines)
{
    RequireNoQuote(carValue, QStringLiteral("The car value"));
    QByteArray bytes = QuotedField(GroupMagic + u';' + carValue) + "\r\n";
    for (const GroupPicture& picture : pictures) {
        RequireNoQuote(picture.Path, QStringLiteral("A picture path"));
        RequireNoQuote(picture.Objects, QStringLiteral("The markers of picture ") + picture.Path);
        bytes += QuotedField(picture.Path) + ',' + QuotedField(picture.Objects) + "\r\n";
    }
    for (const QString& line : keptLines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

GroupFileContent ReadGroupFile(const QString& path)
{
    // Only a regular file is read: a pipe or a device would never end.
    if (!IsRegularFile(path))
        throw UserError(Described(path, QStringLiteral("it is not a regular file")));
    QFile file(path);
    if (file.size() > MaxGroupFileBytes)
        throw UserError(Described(path, QStringLiteral("it is far too large to be a group file")));
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(Described(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw UserError(Described(path, file.errorString()));
    try {
        return ParseGroupFile(bytes);
    } catch (const UserError& problem) {
        throw UserError(Described(path, problem.Text()));
    }
}

void WriteGroupFile(
    const QString& path, const QString& carValue, const QList<GroupPicture>& pictures, const QStringList& keptLines)
{
    const QByteArray bytes = FormatGroupFile(carValue, pictures, keptLines);
    try {
        ReplaceFile(path, bytes);
    } catch (const UserError& failure) {
        throw UserError(
            QStringLiteral("Cannot save the group file %1: %2.").arg(QDir::toNativeSeparators(path), failure.Text()));
    }
}

QString ExtraPicturesNotice(const GroupFileContent& content)
{
    if (content.NamedPictures <= GroupSlotCount)
        return {};
    return QStringLiteral(
        "This group names %1 pictures; only the first %2 are shown, and saving it keeps only those %2.")
        .arg(content.NamedPictures)
        .arg(GroupSlotCount);
}

void CheckMarkerCount(const GroupFileContent& content, const QString& path)
{
    qsizetype records = 0;
    for (const GroupPicture& picture : content.Pictures)
        records += CountRecords(picture.Objects);
    if (records > MaxGroupMarkers) {
        throw UserError(QStringLiteral("Cannot open the group file %1: it holds %2 markers, more than the %3 a group "
                                       "can hold.")
                            .arg(QDir::toNativeSeparators(path))
                            .arg(records)
                            .arg(MaxGroupMarkers));
    }
}
