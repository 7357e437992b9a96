#include "TextBoxLines.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

QStringList TextBoxGetLines(QTextEdit* tb, bool keepHardLineBreaks)
{
    QStringList lines;
    QTextDocument* document = tb->document();
    if (document->isEmpty())
        return lines;
    // Asking for the size finishes the layout of every block.
    (void)document->documentLayout()->documentSize();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const QTextLayout* layout = block.layout();
        const int count = layout->lineCount();
        for (int i = 0; i < qMax(count, 1); ++i) {
            QString piece = count == 0 ? text : text.mid(layout->lineAt(i).textStart(), layout->lineAt(i).textLength());
            // The block's last line ends at a hard break (Enter), and so does
            // a line ended by Shift+Enter; every other line wrapped.
            bool hardBreak = i >= count - 1;
            if (piece.endsWith(QChar::LineSeparator)) {
                piece.chop(1);
                hardBreak = true;
            }
            if (keepHardLineBreaks && hardBreak)
                piece += QStringLiteral("\r\n");
            lines.append(piece);
        }
    }
    return lines;
}
