// The small text helpers every part of the program leans on: number texts,
// path names, name fields, the command line and the group file's encoding.
#include "DataRows.h"
#include "app/CommandLine.h"
#include "common/NumberText.h"
#include "common/PathText.h"
#include "document/NameFields.h"
#include "document/TextEncoding.h"
#include "platform/QtCommonDialog.h"

#include <QStringEncoder>
#include <QTest>

class TextsTest : public QObject {
    Q_OBJECT

private slots:
    void numericValue_data()
    {
        Columns<QString, double>("text", "value");
        Row("whole", "8500", 8500.0);
        Row("fraction", "12.5", 12.5);
        Row("leading point", ".5", 0.5);
        Row("blanks anywhere", " 1 2 5 0 ", 1250.0);
        Row("sign", "-250", -250.0);
        Row("plus", "+7", 7.0);
        Row("stops at letter", "250 dollars", 250.0);
        Row("stops at second point", "1.2.3", 1.2);
        Row("stops at comma", "1,500", 1.0);
        Row("exponent", "1.5E3", 1500.0);
        Row("bare E is not an exponent", "15E", 15.0);
        Row("no number", "abc", 0.0);
        Row("empty", "", 0.0);
        Row("sign alone", "-", 0.0);
        Row("point alone", ".", 0.0);
        Row("too large", "1E999", 0.0);
        Row("currency sign first", "$250", 0.0);
    }
    void numericValue()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(NumericValue(text), value);
    }

    void singleText_data()
    {
        Columns<float, QString>("value", "text");
        Row("whole", 50.0f, "50");
        Row("half", 12.5f, "12.5");
        Row("seven digits", float(300.0 / 72.0), "4.166667");
        Row("rounded", float(800.0 / 21.0), "38.09524");
        Row("negative", -2.5f, "-2.5");
        Row("large", 123456789.0f, "1.234568E+08");
        Row("zero", 0.0f, "0");
    }
    void singleText()
    {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(SingleText(value), text);
        QCOMPARE(SingleValue(text), std::optional<float>(text.toFloat()));
    }

    void singleValueRefusesWhatIsNoNumber()
    {
        QCOMPARE(SingleValue(u"abc"), std::nullopt);
        QCOMPARE(SingleValue(u""), std::nullopt);
        QCOMPARE(SingleValue(u"inf"), std::nullopt);
        QCOMPARE(SingleValue(u"nan"), std::nullopt);
        QCOMPARE(SingleValue(u"1E+50"), std::nullopt);
    }

    void doubleText_data()
    {
        Columns<double, QString>("value", "text");
        Row("whole", 1250.0, "1250");
        Row("fraction", 12.5, "12.5");
        Row("negative", -1250.0, "-1250");
        Row("no thousands separator", 1234567.0, "1234567");
        Row("fifteen digits", 123456789012345.0, "123456789012345");
        Row("exponent when huge", 1e20, "1E+20");
        Row("binary fraction hidden", 0.1 + 0.2, "0.3");
        Row("negative zero", -0.0, "0");
    }
    void doubleText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(DoubleText(value), text);
    }

    void roundToInt16_data()
    {
        // rounded: -99999 when the value does not fit
        Columns<double, int>("value", "rounded");
        Row("half down to even", 70.5, 70);
        Row("half up to even", 71.5, 72);
        Row("negative half", -2.5, -2);
        Row("plain", 71.25, 71);
        Row("largest", 32767.4, 32767);
        Row("too large", 32767.5, -99999);
        Row("smallest", -32768.0, -32768);
        Row("too small", -32769.0, -99999);
        Row("not a number", std::nan(""), -99999);
    }
    void roundToInt16()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        const std::optional<qint16> result = RoundToInt16(value);
        if (rounded == -99999)
            QCOMPARE(result, std::nullopt);
        else
            QCOMPARE(result, std::optional<qint16>(qint16(rounded)));
    }

    void fileNameFromPath_data()
    {
        Columns<QString, QString, QString>("path", "name", "title");
        Row("windows path, two dots", "C:\\cars\\smith.front.grp", "smith", "smith.front.grp");
        Row("local path", "/home/ann/Smith-Sedan.grp", "Smith-Sedan", "Smith-Sedan.grp");
        Row("mixed separators", "C:\\photos/rear.jpg", "rear", "rear.jpg");
        Row("no folder", "report.grp", "report", "report.grp");
        Row("no extension", "/tmp/group", "group", "group");
        Row("dot folder", "/home/ann/.cars/x.grp", "x", "x.grp");
    }
    void fileNameFromPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QFETCH(QString, title);
        QCOMPARE(FileNameFromPath(path), name);
        QCOMPARE(FileTitleFromPath(path), title);
    }

    void nameFields_data()
    {
        Columns<QString, QStringList, QString>("name", "fields", "proposed");
        Row("four parts", "Smith-Sedan-Rear-12", QStringList { "Smith", "Sedan", "Rear", "12" }, "Smith-Sedan-Rear-12");
        Row("one part", "report", QStringList { "report", "", "", "" }, "report");
        Row("empty part", "a--b", QStringList { "a", "", "b", "" }, "a");
        Row("six parts", "Smith-Sedan-Rear-12-b-c", QStringList { "Smith", "Sedan", "Rear", "12-b-c" },
            "Smith-Sedan-Rear-12-b-c");
    }
    void nameFields()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, fields);
        QFETCH(QString, proposed);
        const NameFieldTexts texts = NameFieldsFromFileName(name);
        QCOMPARE(QStringList(texts.begin(), texts.end()), fields);
        QCOMPARE(ProposedFileName(texts), proposed);
    }

    void proposedNameEndsBeforeFirstEmptyField()
    {
        QCOMPARE(ProposedFileName({ "Smith", "Sedan", "", "12" }), QStringLiteral("Smith-Sedan"));
        QCOMPARE(ProposedFileName({ "", "Sedan", "Rear", "12" }), QString());
    }

    void commandLine_data()
    {
        Columns<QStringList, QString>("arguments", "path");
        Row("none", QStringList {}, "");
        Row("one", QStringList { "/home/ann/car.grp" }, "/home/ann/car.grp");
        Row("split at blanks", QStringList { "/home/ann/my", "car.grp" }, "/home/ann/my car.grp");
        Row("quoted", QStringList { "\"/home/ann/my", "car.grp\"" }, "/home/ann/my car.grp");
        Row("one quote only", QStringList { "\"/x.grp" }, "\"/x.grp");
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, path);
        QCOMPARE(CommandLinePath(arguments), path);
    }

    void dialogFilters_data()
    {
        Columns<QString, QString>("filter", "qtFilter");
        Row("group files", "Image Group Files (*.grp)|*.grp", "Image Group Files (*.grp *.GRP)");
        Row("pictures", "Pictures (*.bmp;*.jpg)|*.bmp;*.jpg", "Pictures (*.bmp *.BMP *.jpg *.JPG)");
        Row("two pairs", "A (*.a)|*.a|B (*.b)|*.b", "A (*.a *.A);;B (*.b *.B)");
        Row("everything", "All|*", "All (*)");
    }
    void dialogFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QString, qtFilter);
        QCOMPARE(QtCommonDialog::QtFilter(filter), qtFilter);
    }

    void decodesGroupText_data()
    {
        Columns<QByteArray, QString>("bytes", "text");
        Row("plain", QByteArray("plain"), "plain");
        Row("UTF-8", QByteArray("caf\xc3\xa9 \xe2\x82\xac"), "caf\u00e9 \u20ac");
        // The same words as Windows writes them.
        Row("Windows-1252", QByteArray("caf\xe9 \x80 \x93"), "caf\u00e9 \u20ac \u201c");
        Row("UTF-8, last letter not ASCII", QByteArray("caf\xc3\xa9"), "caf\u00e9");
        Row("Windows-1252, last byte not ASCII", QByteArray("caf\xe9"), "caf\u00e9");
        Row("start of a UTF-8 sequence as the last byte", QByteArray("caf\xc3"), "caf\u00c3");
        Row("UTF-8 sequence cut short at the end", QByteArray("80 \xe2\x82"), "80 \u00e2\u201a");
        Row("first of the Windows-1252 table", QByteArray("\x80"), "\u20ac");
        Row("last of the Windows-1252 table", QByteArray("\x9f"), "\u0178");
        Row("a place Windows-1252 leaves unused", QByteArray("\x81"), "\u0081");
        // Editors on Windows may start a UTF-8 file with a byte order mark;
        // it is read too, so that no byte of the file is lost.
        Row("UTF-8 byte order mark", QByteArray("\xef\xbb\xbfplain"), QString(QChar(0xFEFF)) + QStringLiteral("plain"));
    }
    void decodesGroupText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(DecodeGroupText(bytes), text);
    }

    // What is read from a Windows-made file is all of it: written back in
    // Windows-1252 it gives the very same bytes.
    void windowsMadeTextKeepsEveryByte_data()
    {
        Columns<QByteArray>("bytes");
        Row("last byte not ASCII", QByteArray("caf\xe9"));
        Row("first of the table", QByteArray("\x80"));
        Row("last of the table", QByteArray("\x9f"));
        Row("cut UTF-8 at the end", QByteArray("Delle \xe2\x82"));
        QByteArray everyByte;
        for (int b = 0; b <= 0xFF; ++b)
            everyByte.append(char(b));
        Row("every byte", everyByte);
    }
    void windowsMadeTextKeepsEveryByte()
    {
        QFETCH(QByteArray, bytes);
        // Qt's own converter is the reference; it needs Qt built with ICU.
        QStringEncoder windows1252("windows-1252");
        if (!windows1252.isValid())
            QSKIP("this Qt has no Windows-1252 converter to compare with");
        const QByteArray encoded = windows1252.encode(DecodeGroupText(bytes));
        QVERIFY(!windows1252.hasError());
        QCOMPARE(encoded, bytes);
    }
};

QTEST_GUILESS_MAIN(TextsTest)
#include "tst_texts.moc"
