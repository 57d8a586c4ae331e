#include "resultslist.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <memory>

namespace velmora {

ResultsList::ResultsList(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true); // long result lists stay quick to fill and to scroll
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void ResultsList::appendLine(const QString &line)
{
    if (m_firstNew < 0 || m_firstNew > count())
        m_firstNew = count();
    addItem(line);
}

void ResultsList::revealNewLines()
{
    if (m_firstNew >= 0 && m_firstNew < count()) {
        // A run longer than the list shows its beginning; the rest is a scroll away.
        scrollToItem(item(count() - 1));
        scrollToItem(item(m_firstNew));
    }
    m_firstNew = -1;
}

QStringList ResultsList::lines() const
{
    QStringList all;
    all.reserve(count());
    for (int i = 0; i < count(); ++i)
        all.append(item(i)->text());
    return all;
}

QStringList ResultsList::selectedLines() const
{
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QStringList selected;
    selected.reserve(rows.size());
    for (const QModelIndex &row : rows)
        selected.append(item(row.row())->text());
    return selected;
}

void ResultsList::copySelected() const
{
    const QStringList selected = selectedLines();
    if (!selected.isEmpty())
        QApplication::clipboard()->setText(selected.join(u'\n'));
}

void ResultsList::copyAll() const
{
    if (count() > 0)
        QApplication::clipboard()->setText(lines().join(u'\n'));
}

QMenu *ResultsList::createContextMenu()
{
    auto *menu = new QMenu(this);
    QAction *copy = menu->addAction(tr("Copy"), this, &ResultsList::copySelected);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(!selectedLines().isEmpty());
    menu->addAction(tr("Copy All"), this, &ResultsList::copyAll)->setEnabled(count() > 0);
    QAction *all = menu->addAction(tr("Select All"), this, &QAbstractItemView::selectAll);
    all->setShortcut(QKeySequence::SelectAll);
    all->setEnabled(count() > 0);
    menu->addSeparator();
    QAction *print = menu->addAction(tr("Print…"), this, &ResultsList::printRequested);
    print->setShortcut(QKeySequence::Print);
    print->setEnabled(count() > 0);
    return menu;
}

void ResultsList::keyPressEvent(QKeyEvent *event)
{
    // The view alone would copy only the current line.
    if (event->matches(QKeySequence::Copy)) {
        copySelected();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Print)) {
        if (count() > 0)
            emit printRequested();
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void ResultsList::contextMenuEvent(QContextMenuEvent *event)
{
    const std::unique_ptr<QMenu> menu(createContextMenu());
    menu->exec(event->globalPos());
}

void ResultsList::focusInEvent(QFocusEvent *event)
{
    QListWidget::focusInEvent(event);
    viewport()->update();
}

void ResultsList::focusOutEvent(QFocusEvent *event)
{
    QListWidget::focusOutEvent(event);
    viewport()->update();
}

void ResultsList::paintEvent(QPaintEvent *event)
{
    QListWidget::paintEvent(event);
    // With a line the current line shows the focus; an empty list has none, so the list shows it itself.
    if (count() == 0 && hasFocus()) {
        QPainter painter(viewport());
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.state |= QStyle::State_KeyboardFocusChange; // some styles draw it only for keyboard focus
        option.rect = viewport()->rect().adjusted(1, 1, -1, -1);
        option.backgroundColor = palette().color(QPalette::Base);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

} // namespace velmora
