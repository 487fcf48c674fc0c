#pragma once

#include <vantoui/vantoui_global.h>

#include <QObject>
#include <QString>

namespace VantoUi {

// Keeps the tuning values of the touch controller chip in touch_settings.ini
// and writes each one to the chip driver's sysfs attribute file.
class VANTOUI_EXPORT TouchController : public QObject
{
    Q_OBJECT
public:
    static TouchController* getInstance();

    // Re-applies gain, threshold and offset from the settings file, or creates
    // the file with the factory values on a first start.
    bool initialize();

    uchar getTouchGain() const { return m_gain; }
    uchar getTouchThreshold() const { return m_threshold; }
    uchar getTouchOffset() const { return m_offset; }
    uchar getTouchFilterTouchUpcount() const { return m_touchUpcount; }
    uchar getTouchFilterTouchDowncount() const { return m_touchDowncount; }

    // Setters always store, write the settings and the driver file, and emit:
    // the driver may have lost the value even if it did not change here.
    void setTouchGain(const uchar& gain);
    void setTouchThreshold(const uchar& threshold);
    void setTouchOffset(const uchar& offset);
    void setTouchFilterTouchUpcount(const uchar& upcount);
    void setTouchFilterTouchDowncount(const uchar& downcount);

    QString touchSettingsfilePath();
    void writeSettingValueToFile(QString path, uchar value);

signals:
    void touchGainChanged();
    void touchThresholdChanged();
    void touchOffsetChanged();
    void touchFilterTouchUpcountChanged();
    void touchFilterTouchDowncountChanged();

private:
    TouchController() = default;
    Q_DISABLE_COPY(TouchController)

    void applyValue(const char* key, const char* driverFile, uchar value);

    uchar m_gain = 0;
    uchar m_threshold = 0;
    uchar m_offset = 0;
    uchar m_touchUpcount = 0;
    uchar m_touchDowncount = 0;
};

} // namespace VantoUi
