#include "layout.h"

#include "selection.h"

#include <cmath>

namespace velmora {

bool isWindowed(ControlKind kind)
{
    switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::Frame:
    case ControlKind::TextBox:
    case ControlKind::MultiLineTextBox:
    case ControlKind::DropDownList:
    case ControlKind::ListBox:
        return true;
    case ControlKind::OutlineRect:
    case ControlKind::FilledRect:
    case ControlKind::Line:
    case ControlKind::Label:
        return false;
    }
    return false;
}

QString gridName(const QString &column, int row)
{
    return QStringLiteral("%1(%2)").arg(column).arg(row);
}

int twipsToPixels(float twips)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / static_cast<double>(twipsPerPixel)));
}

QRect twipsToPixels(float left, float top, float width, float height)
{
    // Both edges are rounded, so neighbouring controls that meet in twips also meet in pixels.
    const int x = twipsToPixels(left);
    const int y = twipsToPixels(top);
    return {x, y, twipsToPixels(left + width) - x, twipsToPixels(top + height) - y};
}

namespace {

using K = ControlKind;
using C = Container;

void addGridBoxes(QList<ControlSpec> &table, const QString &column, int first, int last)
{
    const float left = column == QLatin1String("txtInd") ? 240.0F : 2400.0F;
    const int tabOffset = column == QLatin1String("txtInd") ? 3 : 4;
    for (int row = first; row <= last; ++row) {
        table.append({gridName(column, row), K::TextBox, C::Frame1, QString(), left,
                      1680.0F + 360.0F * static_cast<float>(row), 1815.0F, 285.0F, tabOffset + 2 * row});
    }
}

} // namespace

QList<ControlSpec> controlTable()
{
    const Qt::Alignment centred = Qt::AlignHCenter;
    QList<ControlSpec> table = {
        // The window's own controls.
        {"Command6", K::PushButton, C::Window, "Clear", 7080, 4440, 855, 255, 40},
        {"Command5", K::PushButton, C::Window, "Clear", 4560, 2880, 855, 255, 39},
        {"checkData", K::CheckBox, C::Window, "Save Data", 6720, 4800, 1215, 255, 36},
        {"Frame1", K::Frame, C::Window, "Velmora", 120, 480, 8055, 4935, 0},
        {"Shape1", K::OutlineRect, C::Window, QString(), 0, 0, 8295, 5535, -1},
        {"cmdclose", K::Label, C::Window, "X", 7920, 120, 255, 255, 23, centred, Look::TitleButton,
         "End Velmora"},
        {"lblHead", K::Label, C::Window, " Velmora v2.1 - by Ostrel Software", 120, 120, 6735, 255, 22,
         Qt::AlignLeft, Look::TitleText,
         "Drag to move Velmora. A double-click here ends it at once, without saving."},
        {"cmdmin", K::Label, C::Window, "--", 7680, 120, 255, 255, 21, centred, Look::TitleButton,
         "Minimise Velmora to the taskbar"},
        {"boxHead", K::FilledRect, C::Window, QString(), 120, 120, 8055, 255, -1},

        // Inside Frame1.
        {"Command4", K::PushButton, C::Frame1, "Clear", 3600, 840, 855, 255, 38},
        {"checkRand", K::CheckBox, C::Frame1, "Random Order", 4440, 2760, 975, 495, 37},
        {"lst1", K::ListBox, C::Frame1, QString(), 5520, 480, 2295, 3375, 28},
        {"Command3", K::PushButton, C::Frame1, "Export", 5520, 3960, 855, 255, 20},
        {"Command2", K::PushButton, C::Frame1, "Go!", 3600, 480, 855, 255, 2},
        {"cboOld", K::DropDownList, C::Frame1, QString(), 4560, 720, 855, 315, 27},
    };
    addGridBoxes(table, QStringLiteral("txtInd"), 0, 4);
    addGridBoxes(table, QStringLiteral("txtArr"), 0, 4);
    addGridBoxes(table, QStringLiteral("txtInd"), 5, 7);
    addGridBoxes(table, QStringLiteral("txtArr"), 5, 7);
    table.append({
        {"Command1", K::PushButton, C::Frame1, "Go!", 4440, 2040, 855, 255, 19},
        {"cboNumber", K::DropDownList, C::Frame1, QString(), 4440, 1680, 855, 315, 24},
        {"txtOld", K::MultiLineTextBox, C::Frame1, QString(), 240, 480, 3255, 645, 1},
        {"Label9", K::Label, C::Frame1,
         "For Car Type entry, you may enter as many car types as you like in this format: "
         "hopper,boxcar,flatcar",
         240, 4680, 7575, 255, 35, centred},
        {"Label7", K::Label, C::Frame1, "# Of Cars:", 4440, 1440, 855, 255, 34},
        {"Line2", K::Line, C::Frame1, QString(), 240, 1320, 5040, 0, -1},
        {"Label3", K::Label, C::Frame1, "# Of Cars:", 4560, 480, 855, 255, 33},
        {"Label2", K::Label, C::Frame1, "e.g. hopper,boxcar,flatcar", 1320, 240, 2175, 255, 32,
         Qt::AlignRight},
        {"Label1", K::Label, C::Frame1, "Car Types:", 240, 240, 855, 255, 31},
        // Label4 and Label8 are painted in the face colour in the design, which looks the same as no
        // background since the frame has that colour too. Some styles tint a frame's inside, where a painted
        // label would show as a patch; so they are drawn like the other labels.
        {"Label4", K::Label, C::Frame1, "Number of results:", 5520, 240, 1335, 255, 30},
        {"lblres", K::Label, C::Frame1, "0", 6960, 240, 855, 255, 29},
        {"Label6", K::Label, C::Frame1, "Industry:", 240, 1440, 855, 255, 26},
        {"Label8", K::Label, C::Frame1, "Suitable Car Types:", 2400, 1440, 1695, 255, 25},
    });
    return table;
}

QList<ScreenReaderText> screenReaderTexts()
{
    const QString commaList = QStringLiteral("Comma-separated, for example hopper,boxcar,flatcar");
    QList<ScreenReaderText> texts = {
        {"txtOld", "Car types to draw from", commaList},
        {"Command2", "Draw car types",
         "Go! of the car types: adds the chosen number of car types from the list to the results"},
        {"Command4", "Clear the car types", "Empties the list of car types to draw from"},
        {"cboOld", "Number of cars", "How many car types to draw from the list, 1 to 20"},
        {"cboNumber", "Number of cars", "How many cars to draw for the industries, 1 to 8"},
        {"Command1", "Draw cars for the industries",
         "Go! of the industries: adds one line per car, an industry and one of its car types, to the "
         "results"},
        {"Command5", "Clear the industry table",
         "Empties all eight industry rows and unticks Save Data and Random Order"},
        {"checkRand", QString(), "Takes the industries in random order instead of row order"},
        {"lst1", "Results", "One line per drawn car; every draw ends with a line of dashes"},
        // The label shows the count itself; its name stays the number, so a change is announced.
        {"lblres", QString(), "Number of results"},
        {"Command3", "Export the results", "Writes the results list to a text file"},
        {"Command6", "Clear the results", "Empties the results list and sets the number of results to 0"},
        {"checkData", QString(), "Keeps the industry table and Random Order for the next start"},
        {"cmdclose", "Close", "End Velmora, saving the industry table when Save Data is ticked"},
        {"cmdmin", "Minimise", "Minimise Velmora to the taskbar"},
    };
    // The rows as users count them, from 1.
    for (int row = 0; row < GridRows; ++row) {
        const QString number = QString::number(row + 1);
        texts.append(
            {gridName(QStringLiteral("txtInd"), row), QStringLiteral("Industry ") + number, QString()});
        texts.append({gridName(QStringLiteral("txtArr"), row),
                      QStringLiteral("Car types for industry ") + number, commaList});
    }
    return texts;
}

} // namespace velmora
