#pragma once

#include <QWidget>

// What a screen reader should say as it happens (the count of rows a find shows, what F8 or a
// paste did): an AT-SPI notification, which readers speak when it appears. The widget takes
// one pixel; each Say shows it anew, named by the text.
class CAnnouncer : public QWidget {
    Q_OBJECT
public:
    explicit CAnnouncer(QWidget* parent = nullptr);

    void Say(const QString& text);
    // What was said last.
    QString Said() const { return accessibleName(); }

    // Widgets of this class, and any widget with the property "notice" set, are notifications
    // to assistive technology.
    static void InstallRoles();
};
