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

QString PrintResults(QPrinter &printer, const QStringList &entries)
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
    document.setPlainText((ExportHeading(entries.size()) + entries).join(u'\n'));

    const QRectF paper = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSizeF page = paper.size();
    document.setPageSize(page);

    QPainter painter;
    if (!painter.begin(&printer))
        return QApplication::translate("velmora", "The printer could not be started.");
    // Line by line, each on the page the layout gave it: a line at the foot of a page is never drawn on
    // the next one as well.
    int shownPage = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QRectF place = document.documentLayout()->blockBoundingRect(block);
        const int pageOfBlock = static_cast<int>(place.top() / page.height());
        for (; shownPage < pageOfBlock; ++shownPage) {
            if (!printer.newPage())
                return QApplication::translate("velmora", "The printer could not start a new page.");
        }
        block.layout()->draw(&painter, QPointF(0, -page.height() * shownPage));
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return QApplication::translate("velmora", "The printer reported an error.");
    return {};
}

} // namespace velmora
