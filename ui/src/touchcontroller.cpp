#include <vantoui/touchcontroller.h>

#include <vantoui/datastorage.h>
#include <vantoui/touchsettings.h>

#include "logging.h"
#include "systemroot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <memory>

namespace VantoUi {

namespace {

const char GainFile[] = "/sys/class/input/event0/device/device/gain";
const char ThresholdFile[] = "/sys/class/input/event0/device/device/threshold";
const char OffsetFile[] = "/sys/class/input/event0/device/device/offset";
const char TouchUpcountFile[] =
    "/sys/devices/soc0/soc/2100000.aips-bus/21a8000.i2c/i2c-2/2-0038/touch_upcount";
const char TouchDowncountFile[] =
    "/sys/devices/soc0/soc/2100000.aips-bus/21a8000.i2c/i2c-2/2-0038/touch_downcount";

constexpr uchar DefaultGain = 1;
constexpr uchar DefaultThreshold = 14;
constexpr uchar DefaultOffset = 0;

} // namespace

TouchController* TouchController::getInstance()
{
    static std::unique_ptr<TouchController> instance(new TouchController);
    return instance.get();
}

QString TouchController::touchSettingsfilePath()
{
    // The same folder that TouchSettings opens through QSettings.
    return systemConfigFolder() + QDir::separator() + QStringLiteral("vanto") + QDir::separator() +
           QStringLiteral("touch_settings.ini");
}

bool TouchController::initialize()
{
    TouchSettings* settings = DataStorage::getInstance()->touchSettings();
    const QString path = touchSettingsfilePath();

    if (QFileInfo::exists(path)) {
        setTouchGain(
            static_cast<uchar>(settings->value(QStringLiteral("gain"), QVariant()).toInt()));
        setTouchThreshold(
            static_cast<uchar>(settings->value(QStringLiteral("threshold"), QVariant()).toInt()));
        setTouchOffset(
            static_cast<uchar>(settings->value(QStringLiteral("offset"), QVariant()).toInt()));
        return true;
    }

    // On a fresh system the vanto folder may not exist yet.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Text)) {
        qCWarning(lcVantoUiTouch) << "Could not create touch_settings.ini file!";
        return false;
    }
    setTouchGain(DefaultGain);
    setTouchThreshold(DefaultThreshold);
    setTouchOffset(DefaultOffset);
    file.close();
    return true;
}

void TouchController::applyValue(const char* key, const char* driverFile, uchar value)
{
    TouchSettings* settings = DataStorage::getInstance()->touchSettings();
    const QString settingsKey = QLatin1String(key);
    settings->setValue(settingsKey, static_cast<int>(value));
    settings->sync();

    const QVariant stored = settings->value(settingsKey, QVariant());
    if (stored.isValid()) {
        writeSettingValueToFile(rootedPath(QLatin1String(driverFile)),
                                static_cast<uchar>(stored.toInt()));
    } else {
        qCWarning(lcVantoUiTouch).noquote()
            << QStringLiteral(
                   "Could not write %1 value! %1 value in touch_settings.ini is not valid!")
                   .arg(settingsKey);
    }
}

void TouchController::setTouchGain(const uchar& gain)
{
    m_gain = gain;
    applyValue("gain", GainFile, gain);
    emit touchGainChanged();
}

void TouchController::setTouchThreshold(const uchar& threshold)
{
    m_threshold = threshold;
    applyValue("threshold", ThresholdFile, threshold);
    emit touchThresholdChanged();
}

void TouchController::setTouchOffset(const uchar& offset)
{
    m_offset = offset;
    applyValue("offset", OffsetFile, offset);
    emit touchOffsetChanged();
}

void TouchController::setTouchFilterTouchUpcount(const uchar& upcount)
{
    m_touchUpcount = upcount;
    applyValue("touch_upcount", TouchUpcountFile, upcount);
    emit touchFilterTouchUpcountChanged();
}

void TouchController::setTouchFilterTouchDowncount(const uchar& downcount)
{
    m_touchDowncount = downcount;
    applyValue("touch_downcount", TouchDowncountFile, downcount);
    emit touchFilterTouchDowncountChanged();
}

void TouchController::writeSettingValueToFile(QString path, uchar value)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qCWarning(lcVantoUiTouch).noquote()
            << QStringLiteral("Could not write to file ' ") + path + QStringLiteral("' !");
        return;
    }
    QTextStream stream(&file);
    stream << static_cast<int>(value) << "\n";
    stream.flush();
    // Sysfs attributes reject bad values only when the data reaches the
    // driver, so the flush result is what tells whether the write worked.
    if (stream.status() != QTextStream::Ok || !file.flush()) {
        qCWarning(lcVantoUiTouch).noquote()
            << QStringLiteral("Could not write ") + QString::number(value) +
                   QStringLiteral(" to file: '") + path + QStringLiteral(" !");
    }
    file.close();
}

} // namespace VantoUi
