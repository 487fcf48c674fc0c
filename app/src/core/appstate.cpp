#include "appstate.h"

#include <QQmlEngine>

AppState::AppState(QQmlEngine* engine, QObject* parent) : QObject(parent), m_engine(engine) {}

void AppState::setCurrentScreen(const QString& screen)
{
    if (screen == m_currentScreen)
        return;
    m_currentScreen = screen;
    emit currentScreenChanged();
}

void AppState::clearComponentCache()
{
    if (m_engine)
        m_engine->clearComponentCache();
}
