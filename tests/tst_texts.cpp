// The small text helpers every part of the program leans on: number texts as
// costs and ratios are read and written, what a group's path gives the window,
// and the file dialogs' filters.
#include "DataRows.h"
#include "app/CommandLine.h"
#include "common/NumberText.h"
#include "common/PathText.h"
#include "document/NameFields.h"
#include "platform/QtCommonDialog.h"

#include <QLocale>
#include <QTest>

#include <bit>
#include <cmath>

constexpr int Unfit = 99999; // a rounding that does not fit in 16 bits

class TextsTest : public QObject {
    Q_OBJECT

private slots:
    // A text as a cost counts (its leading number), that count written back
    // and rounded to a whole number, and the text read strictly as a
    // marker's ratio and written back ("" when it is refused).
    void numberTexts_data()
    {
        Columns<QString, double, QString, int, QString>("text", "value", "written", "rounded", "ratio");
        Row("whole", "8500", 8500.0, "8500", 8500, "8500");
        Row("fraction, half down to even", "70.5", 70.5, "70.5", 70, "70.5");
        Row("half up to even", "71.5", 71.5, "71.5", 72, "71.5");
        Row("negative half to even", "-2.5", -2.5, "-2.5", -2, "-2.5");
        Row("leading point", ".5", 0.5, "0.5", 0, "0.5");
        Row("plus", "+7", 7.0, "7", 7, "7");
        Row("negative zero", "-0", 0.0, "0", 0, "0");
        Row("blanks anywhere", " 1 2 5 0 ", 1250.0, "1250", 1250, "");
        Row("stops at a letter", "250 dollars", 250.0, "250", 250, "");
        Row("stops at the second point", "1.2.3", 1.2, "1.2", 1, "");
        Row("stops at a comma", "1,5", 1.0, "1", 1, "");
        Row("exponent", "1.5E3", 1500.0, "1500", 1500, "1500");
        Row("exponent with its sign", "2.5e-3", 0.0025, "0.0025", 0, "0.0025");
        Row("point first", "-.5", -0.5, "-0.5", 0, "-0.5");
        Row("point last", "5.", 5.0, "5", 5, "5");
        Row("nearest float below a tenth", "0.099999999", 0.099999999, "0.099999999", 0, "0.1");
        Row("bare E is no exponent", "15E", 15.0, "15", 15, "");
        Row("no number", "abc", 0.0, "0", 0, "");
        Row("empty", "", 0.0, "0", 0, "");
        Row("currency sign first", "$250", 0.0, "0", 0, "");
        Row("infinity is no number", "inf", 0.0, "0", 0, "");
        Row("too large for anything", "1E999", 0.0, "0", 0, "");
        Row("too large for a ratio", "1E50", 1e50, "1E+50", Unfit, "");
        Row("seven digits for a ratio", "4.166666666666667", 300.0 / 72.0, "4.16666666666667", 4, "4.166667");
        Row("ratio rounded", "38.095238095238095", 800.0 / 21.0, "38.0952380952381", 38, "38.09524");
        Row("ratio in exponent form", "123456789", 123456789.0, "123456789", Unfit, "1.234568E+08");
        Row("binary fraction hidden", "0.30000000000000004", 0.1 + 0.2, "0.3", 0, "0.3");
        Row("largest to round", "32767.4", 32767.4, "32767.4", 32767, "32767.4");
        Row("rounds past the largest", "32767.5", 32767.5, "32767.5", Unfit, "32767.5");
        Row("smallest to round", "-32768", -32768.0, "-32768", -32768, "-32768");
        Row("below the smallest", "-32769", -32769.0, "-32769", Unfit, "-32769");
    }
    void numberTexts()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(QString, written);
        QFETCH(int, rounded);
        QFETCH(QString, ratio);
        QCOMPARE(NumericValue(text), value);
        QCOMPARE(DoubleText(NumericValue(text)), written);
        const std::optional<qint16> whole = RoundToInt16(value);
        QCOMPARE(whole ? int(*whole) : Unfit, rounded);
        const std::optional<float> single = SingleValue(text);
        QCOMPARE(single ? SingleText(*single) : QString(), ratio);
        bool read = false; // to the last bit as the locale reads it
        const float locale = QLocale::c().toFloat(text.trimmed(), &read);
        QCOMPARE(single.has_value(), read && std::isfinite(locale));
        QCOMPARE(std::bit_cast<quint32>(single.value_or(locale)), std::bit_cast<quint32>(locale));
        QCOMPARE(RoundToInt16(qQNaN()), std::nullopt); // no text counts as NaN, but a computed size might
    }

    // A group's path as the command line hands it over (split at blanks,
    // maybe quoted), then the title of its window, its name, the four name
    // fields it fills and the name a save proposes from them.
    void pathTexts_data()
    {
        Columns<QStringList, QString, QString, QString, QString>("arguments", "title", "name", "fields", "proposed");
        using Args = QStringList;
        Row("four parts", Args { "/a/S-V-R-12.grp" }, "S-V-R-12.grp", "S-V-R-12", "S|V|R|12", "S-V-R-12");
        Row("windows path", Args { "C:\\cars\\smith.front.grp" }, "smith.front.grp", "smith", "smith|||", "smith");
        Row("mixed separators", Args { "C:\\photos/rear.jpg" }, "rear.jpg", "rear", "rear|||", "rear");
        Row("dot in a folder", Args { "/home/ann/.cars/x.grp" }, "x.grp", "x", "x|||", "x");
        Row("no folder, no extension", Args { "report" }, "report", "report", "report|||", "report");
        Row("five parts", Args { "/a/S-V-R-1-b.grp" }, "S-V-R-1-b.grp", "S-V-R-1-b", "S|V|R|1-b", "S-V-R-1-b");
        Row("empty parts", Args { "/a/S-V--12.grp" }, "S-V--12.grp", "S-V--12", "S|V||12", "S-V");
        Row("empty first part", Args { "/a/-Van.grp" }, "-Van.grp", "-Van", "|Van||", "");
        Row("split at blanks", Args { "/home/ann/my", "car.grp" }, "my car.grp", "my car", "my car|||", "my car");
        Row("quoted", Args { "\"/home/ann/my", "car.grp\"" }, "my car.grp", "my car", "my car|||", "my car");
        Row("one quote only", Args { "\"/x.grp" }, "x.grp", "x", "x|||", "x");
        Row("a lone quote", Args { "\"" }, "\"", "\"", "\"|||", "\"");
        Row("no argument", Args {}, "", "", "|||", "");
    }
    void pathTexts()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, title);
        QFETCH(QString, name);
        QFETCH(QString, fields);
        QFETCH(QString, proposed);
        const QString path = CommandLinePath(arguments);
        QCOMPARE(FileTitleFromPath(path), title);
        QCOMPARE(FileNameFromPath(path), name);
        const NameFieldTexts texts = NameFieldsFromFileName(name);
        QCOMPARE(QStringList(texts.begin(), texts.end()).join(u'|'), fields);
        QCOMPARE(ProposedFileName(texts), proposed);
    }

    // The file dialogs' filters as Qt's dialog takes them: upper-case
    // extensions offered too.
    void dialogFilters()
    {
        QCOMPARE(
            QtCommonDialog::QtFilter("Image Group Files (*.grp)|*.grp"), QString("Image Group Files (*.grp *.GRP)"));
        QCOMPARE(QtCommonDialog::QtFilter("Pictures (*.bmp;*.jpg)|*.bmp;*.jpg|All|*"),
            QString("Pictures (*.bmp *.BMP *.jpg *.JPG);;All (*)"));
    }
};

QTEST_GUILESS_MAIN(TextsTest)
#include "tst_texts.moc"
