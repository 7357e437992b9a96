#include "PdfWords.h"

#include <QProcess>
#include <QTest>
#include <QXmlStreamReader>

PdfWords::PdfWords(const QString& path)
{
    QProcess tool; // -raw: the words in the order they are drawn, not in reading order
    tool.start(QStringLiteral("pdftotext"), { "-bbox", "-raw", path, "-" });
    QVERIFY2(tool.waitForFinished(60'000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0,
        qPrintable("pdftotext cannot read " + path + ": " + tool.errorString() + tool.readAllStandardError()));
    QXmlStreamReader xml(tool.readAllStandardOutput());
    const auto twips = [&xml](const char* name) { return xml.attributes().value(name).toDouble() * 20; }; // of points
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"title")
            Title = xml.readElementText();
        else if (xml.name() == u"page")
            Pages.emplaceBack();
        else if (xml.name() == u"word") // the box read before the text moves past the word
            Pages.last().append({ QRectF(QPointF(twips("xMin"), twips("yMin")), QPointF(twips("xMax"), twips("yMax"))),
                xml.readElementText() });
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
}

QStringList PdfWords::Texts(qsizetype page) const
{
    QStringList texts;
    for (const Word& word : Pages.value(page))
        texts.append(word.Text);
    return texts;
}
