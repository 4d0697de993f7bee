#include "Looks.h"

#include "CommandIds.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace {

struct Look {
    int id;
    const char* name;
    const char* style;
    QRgb window; // 0: the style's own palette
    bool dark;
};

constexpr Look Looks[] = {
    {ID_LOOK_BASIC, "Basic", "Windows", 0, false},
    {ID_LOOK_OFFICE_XP, "Office XP", "Fusion", 0xffeeeeee, false},
    {ID_LOOK_WINDOWS, "Windows", "Windows", 0, false},
    {ID_LOOK_OFFICE_2003, "Office 2003", "Fusion", 0xffdce6f4, false},
    {ID_LOOK_VS_2005, "Visual Studio 2005", "Fusion", 0, false},
    {ID_LOOK_VS_2008, "Visual Studio 2008", "Fusion", 0xffe9ecee, false},
    {ID_LOOK_OFFICE_2007_BLUE, "Office 2007 Blue", "Fusion", 0xffd5e4f2, false},
    {ID_LOOK_OFFICE_2007_BLACK, "Office 2007 Black", "Fusion", 0xff353535, true},
    {ID_LOOK_OFFICE_2007_SILVER, "Office 2007 Silver", "Fusion", 0xffe1e4e8, false},
    {ID_LOOK_OFFICE_2007_AQUA, "Office 2007 Aqua", "Fusion", 0xffd4eef0, false},
    {ID_LOOK_WINDOWS_7, "Windows 7", "Fusion", 0xfff0f0f0, false},
};

int g_office2007 = int(ID_LOOK_OFFICE_2007_BLUE); // the Office 2007 style last set

const Look& Find(int id) {
    for (const Look& look : Looks) {
        if (look.id == id)
            return look;
    }
    return Find(g_office2007);
}

QPalette MakePalette(const Look& look, QStyle* style) {
    QPalette palette = style->standardPalette();
    if (look.window == 0)
        return palette;
    const QColor window(look.window);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::Button, window);
    if (look.dark) {
        palette.setColor(QPalette::WindowText, Qt::white);
        palette.setColor(QPalette::ButtonText, Qt::white);
        palette.setColor(QPalette::Base, QColor(0x25, 0x25, 0x25));
        palette.setColor(QPalette::AlternateBase, window);
        palette.setColor(QPalette::Text, Qt::white);
        palette.setColor(QPalette::ToolTipBase, window);
        palette.setColor(QPalette::ToolTipText, Qt::white);
        palette.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
        palette.setColor(QPalette::HighlightedText, Qt::black);
    }
    return palette;
}

QString g_desktopStyle;
QPalette g_desktopPalette;
bool g_desktopKnown = false;

} // namespace

void RememberDesktopLook() {
    if (g_desktopKnown)
        return;
    g_desktopStyle = QApplication::style()->name();
    g_desktopPalette = QApplication::palette();
    g_desktopKnown = true;
}

void ApplyDesktopLook() {
    if (!g_desktopKnown)
        return;
    if (QStyle* style = QStyleFactory::create(g_desktopStyle))
        QApplication::setStyle(style);
    QApplication::setPalette(g_desktopPalette);
}

void ApplyLook(int lookId) {
    if (lookId >= int(ID_LOOK_OFFICE_2007_BLUE) && lookId <= int(ID_LOOK_OFFICE_2007_AQUA))
        g_office2007 = lookId;
    const Look& look = Find(lookId);
    QStyle* style = QStyleFactory::create(QString::fromLatin1(look.style));
    if (style == nullptr)
        return;
    QApplication::setStyle(style);
    QApplication::setPalette(MakePalette(look, style));
}
