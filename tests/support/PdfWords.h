#pragma once

#include <QList>
#include <QRectF>
#include <QStringList>

// A PDF file as a reader sees it, read by poppler's pdftotext: each page's words in drawing order, with their boxes
// in twips from the paper's top-left corner, and the document's title.
struct PdfWords {
    struct Word {
        QRectF Box;
        QString Text;
    };

    explicit PdfWords(const QString& path);

    QList<QList<Word>> Pages;
    QString Title;

    [[nodiscard]] QStringList Texts(qsizetype page) const;
    // The first word of a page with this text; a default one when none.
    [[nodiscard]] Word Find(qsizetype p, const QString& t) const { return Pages.value(p).value(Texts(p).indexOf(t)); }
};
