#pragma once

#include <QObject>
#include <QString>

class QQmlEngine;

// The screen the root window shows: the state machine writes a QML file name
// (relative to main.qml) into currentScreen, main.qml loads it.
class AppState : public QObject
{
    Q_OBJECT
    Q_PROPERTY(
        QString currentScreen READ currentScreen WRITE setCurrentScreen NOTIFY currentScreenChanged)

public:
    explicit AppState(QQmlEngine* engine, QObject* parent = nullptr);

    QString currentScreen() const { return m_currentScreen; }
    void setCurrentScreen(const QString& screen);

    // Lets the root window drop cached components before loading a screen, so
    // a screen file is always built afresh.
    Q_INVOKABLE void clearComponentCache();

signals:
    void currentScreenChanged();

private:
    QQmlEngine* m_engine = nullptr;
    QString m_currentScreen;
};
