#include "Looks.h"

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
    {205, "Basic", "Windows", 0, false},
    {206, "Office XP", "Fusion", 0xffeeeeee, false},
    {207, "Windows", "Windows", 0, false},
    {208, "Office 2003", "Fusion", 0xffdce6f4, false},
    {209, "Visual Studio 2005", "Fusion", 0, false},
    {210, "Visual Studio 2008", "Fusion", 0xffe9ecee, false},
    {215, "Office 2007 Blue", "Fusion", 0xffd5e4f2, false},
    {216, "Office 2007 Black", "Fusion", 0xff353535, true},
    {217, "Office 2007 Silver", "Fusion", 0xffe1e4e8, false},
    {218, "Office 2007 Aqua", "Fusion", 0xffd4eef0, false},
    {219, "Windows 7", "Fusion", 0xfff0f0f0, false},
};

int g_office2007 = 215; // the Office 2007 style last set

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

} // namespace

void ApplyLook(int lookId) {
    if (lookId >= 215 && lookId <= 218)
        g_office2007 = lookId;
    const Look& look = Find(lookId);
    QStyle* style = QStyleFactory::create(QString::fromLatin1(look.style));
    if (style == nullptr)
        return;
    QApplication::setStyle(style);
    QApplication::setPalette(MakePalette(look, style));
}
