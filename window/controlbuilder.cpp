#include "controlbuilder.h"

#include "fonts.h"
#include "layout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <algorithm>
#include <type_traits>

namespace velmora {

namespace {

class ControlBuilder {
public:
    explicit ControlBuilder(QWidget &window)
        : m_window(window), m_table(controlTable()), m_made(m_table.size(), nullptr)
    {
        for (qsizetype i = 0; i < m_table.size(); ++i)
            m_rows.insert(m_table.at(i).name, i);
    }

    WindowControls build();

private:
    const ControlSpec &row(const QString &name) const;
    template <typename T, typename... Args> T *make(const QString &name, Args &&...args);
    void stack();
    void setTabOrder();
    void describe();

    QWidget &m_window;
    const QList<ControlSpec> m_table;
    QHash<QString, qsizetype> m_rows;
    QList<QWidget *> m_made; // by row of the table
    QGroupBox *m_frame = nullptr;
    QFont m_titleText;
    QFont m_titleButton;
};

WindowControls ControlBuilder::build()
{
    m_window.setFont(dialogFont(m_table));
    // Looking the title family up is a font-configuration query of its own: once for the three labels.
    m_titleText = titleFont(false);
    m_titleButton = m_titleText;
    m_titleButton.setWeight(QFont::Bold);

    WindowControls c;
    c.Frame1 = m_frame = make<QGroupBox>("Frame1");

    // The title strip and the window's outline.
    make<Shape>("Shape1", Shape::Style::Outline);
    make<Shape>("boxHead", Shape::Style::Fill);
    c.lblHead = make<MouseLabel>("lblHead");
    c.cmdmin = make<MouseLabel>("cmdmin");
    c.cmdclose = make<MouseLabel>("cmdclose");

    // The car-type section.
    make<QLabel>("Label1");
    make<QLabel>("Label2");
    c.txtOld = make<CarTypeBox>("txtOld");
    c.txtOld->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    c.txtOld->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    c.txtOld->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    c.txtOld->setTabChangesFocus(true);
    c.Command2 = make<PushButton>("Command2");
    c.Command4 = make<PushButton>("Command4");
    make<QLabel>("Label3");
    c.cboOld = make<QComboBox>("cboOld"); // not editable: selection only
    make<Shape>("Line2", Shape::Style::Line);

    // The industry section.
    make<QLabel>("Label6");
    make<QLabel>("Label8");
    for (int row = 0; row < GridRows; ++row) {
        const auto i = static_cast<std::size_t>(row);
        c.txtInd[i] = make<TextBox>(gridName(QStringLiteral("txtInd"), row), false);
        c.txtArr[i] = make<TextBox>(gridName(QStringLiteral("txtArr"), row), true);
    }
    make<QLabel>("Label7");
    c.cboNumber = make<QComboBox>("cboNumber");
    c.Command1 = make<PushButton>("Command1");
    c.Command5 = make<PushButton>("Command5");
    c.checkRand = make<WrapCheckBox>("checkRand"); // two text lines high: the caption wraps

    // The results.
    make<QLabel>("Label4");
    c.lblres = make<QLabel>("lblres");
    c.lst1 = make<ResultsList>("lst1");
    c.Command3 = make<PushButton>("Command3");
    c.Command6 = make<PushButton>("Command6");
    c.checkData = make<QCheckBox>("checkData");
    // Save Data shows its box right of the caption, so box and button share their right edge.
    c.checkData->setLayoutDirection(Qt::RightToLeft);

    make<QLabel>("Label9");

    for (qsizetype i = 0; i < m_table.size(); ++i) {
        if (m_made.at(i) == nullptr)
            qFatal("The layout's control %s was not built", qPrintable(m_table.at(i).name));
    }
    stack();
    setTabOrder();
    describe();
    return c;
}

const ControlSpec &ControlBuilder::row(const QString &name) const
{
    const qsizetype index = m_rows.value(name, -1);
    if (index < 0)
        qFatal("The layout has no control named %s", qPrintable(name));
    return m_table.at(index);
}

template <typename T, typename... Args> T *ControlBuilder::make(const QString &name, Args &&...args)
{
    const ControlSpec &entry = row(name);
    QWidget *container = entry.container == Container::Frame1 ? static_cast<QWidget *>(m_frame) : &m_window;
    auto *widget = new T(std::forward<Args>(args)..., container);
    // Before anything a screen reader may be told of: its interface follows what the label acts as.
    if constexpr (std::is_same_v<T, MouseLabel>) {
        widget->setFont(entry.look == Look::TitleButton ? m_titleButton : m_titleText);
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, Qt::white);
        widget->setPalette(palette);
        widget->setActsAsButton(entry.look == Look::TitleButton);
    }
    widget->setObjectName(entry.name);
    // A line is drawn one pixel high from its start.
    const float height = entry.kind == ControlKind::Line ? twipsPerPixel : entry.height;
    widget->setGeometry(twipsToPixels(entry.left, entry.top, entry.width, height));

    if constexpr (std::is_base_of_v<QAbstractButton, T>)
        widget->setText(entry.caption);
    if constexpr (std::is_base_of_v<QGroupBox, T>)
        widget->setTitle(entry.caption);
    if constexpr (std::is_base_of_v<QLabel, T>) {
        widget->setTextFormat(Qt::PlainText);
        widget->setText(entry.caption);
        widget->setAlignment(entry.alignment | Qt::AlignTop);
        widget->setToolTip(entry.tooltip);
    }
    m_made[m_rows.value(name)] = widget;
    return widget;
}

void ControlBuilder::stack()
{
    // Windowed controls lie above the drawn ones of their container, each group in table order. The table
    // lists the topmost first, so raise from its end.
    for (const bool windowed : {false, true}) {
        for (qsizetype i = m_table.size() - 1; i >= 0; --i) {
            if (isWindowed(m_table.at(i).kind) == windowed)
                m_made.at(i)->raise();
        }
    }
}

void ControlBuilder::setTabOrder()
{
    QList<std::pair<int, QWidget *>> tabbed;
    for (qsizetype i = 0; i < m_table.size(); ++i) {
        const ControlSpec &entry = m_table.at(i);
        if (isWindowed(entry.kind) && entry.kind != ControlKind::Frame)
            tabbed.append({entry.tab, m_made.at(i)});
    }
    std::sort(tabbed.begin(), tabbed.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (qsizetype i = 1; i < tabbed.size(); ++i)
        QWidget::setTabOrder(tabbed.at(i - 1).second, tabbed.at(i).second);
}

void ControlBuilder::describe()
{
    for (const ScreenReaderText &text : screenReaderTexts()) {
        row(text.name); // a name the table does not hold is a fault of the texts
        QWidget *widget = m_made.at(m_rows.value(text.name));
        if (!text.accessibleName.isEmpty())
            widget->setAccessibleName(text.accessibleName);
        if (!text.description.isEmpty())
            widget->setAccessibleDescription(text.description);
    }
}

} // namespace

WindowControls buildControls(QWidget &window)
{
    return ControlBuilder(window).build();
}

} // namespace velmora
