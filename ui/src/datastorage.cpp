#include <vantoui/datastorage.h>

#include <vantoui/softwareinfosettings.h>
#include <vantoui/stylesettings.h>
#include <vantoui/touchsettings.h>

#include <QCoreApplication>

namespace VantoUi {

namespace {
constexpr quint8 DisplaySenderAddress = 148; // bus address 0x94 of the GUI
}

DataStorage* DataStorage::getInstance()
{
    static DataStorage instance;
    return &instance;
}

DataStorage::DataStorage()
{
    // These names also apply to every other QSettings and standard path in
    // the process.
    QCoreApplication::setOrganizationName(QStringLiteral("config"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("vanto-panel.local"));
    QCoreApplication::setApplicationName(QStringLiteral("vanto"));
}

DataStorage::~DataStorage()
{
    delete m_touchSettings;
    delete m_softwareInfoSettings;
    delete m_styleSettings;
}

StyleSettings* DataStorage::styleSettings()
{
    if (!m_styleSettings)
        m_styleSettings = new StyleSettings(QSettings::IniFormat);
    return m_styleSettings;
}

SoftwareInfoSettings* DataStorage::softwareInfoSettings()
{
    if (!m_softwareInfoSettings)
        m_softwareInfoSettings = new SoftwareInfoSettings(QSettings::IniFormat);
    return m_softwareInfoSettings;
}

TouchSettings* DataStorage::touchSettings()
{
    if (!m_touchSettings)
        m_touchSettings = new TouchSettings(QSettings::IniFormat);
    return m_touchSettings;
}

quint8 DataStorage::displaySenderVal()
{
    m_displaySenderVal = DisplaySenderAddress;
    return m_displaySenderVal;
}

} // namespace VantoUi
