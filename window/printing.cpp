#include "printing.h"

#include "export.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>

namespace velmora {

QString printSwitchList(QPrinter &printer, const QStringList &entries)
{
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&printer);
    QFont font = QApplication::font();
    font.setPointSizeF(10);
    document.setDefaultFont(font);
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    document.setDocumentMargin(0);
    document.setPlainText((exportHeading(entries.size()) + entries).join(u'\n'));

    const QRectF paper = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSizeF page = paper.size();
    document.setPageSize(page);

    QPainter painter;
    if (!painter.begin(&printer))
        return QApplication::translate("velmora", "The printer could not be started.");
    // The layout, given the page's size, moves a line that would cross a page's foot to the next page; each
    // line is then drawn once, on its own page. (QTextDocument::print draws the whole document on every
    // page under a clip, so the lines either side of a page break would be in both pages' text, hidden,
    // and found twice by a search.)
    int shownPage = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QPointF blockPlace = document.documentLayout()->blockBoundingRect(block).topLeft();
        const QTextLayout *layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const int pageOfLine = static_cast<int>((blockPlace.y() + line.y()) / page.height());
            for (; shownPage < pageOfLine; ++shownPage) {
                if (!printer.newPage())
                    return QApplication::translate("velmora", "The printer could not start a new page.");
            }
            line.draw(&painter, blockPlace - QPointF(0, page.height() * shownPage));
        }
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return QApplication::translate("velmora", "The printer reported an error.");
    return {};
}

} // namespace velmora
