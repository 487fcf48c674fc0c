#include <vantoui/stylingcontroller.h>

#include <vantoui/datastorage.h>
#include <vantoui/stylesettings.h>

#include <QDir>
#include <QFileInfo>
#include <QMetaEnum>

#include <iterator>

namespace VantoUi {

namespace {

using ColourSetter = void (StylingController::*)(const QColor&);
using IntegerSetter = void (StylingController::*)(int);
using TextSetter = void (StylingController::*)(const QString&);

// One key of a theme section: exactly one of the setters is set. The
// defaults are given for ORA_THEME (also used for US_VERSION_THEME),
// LOUNGE_THEME and CUSTOM_THEME; nullptr means the key is read but never
// written, so it stays unset unless the file is edited by hand.
struct StyleEntry
{
    const char* key;
    ColourSetter colour;
    IntegerSetter integer;
    TextSetter text;
    const char* defaults[3];
};

// In the order the values are loaded.
const StyleEntry StyleEntries[] = {
    {"Background_Color_Grid",
     &StylingController::setBackgroundColorGrid,
     nullptr,
     nullptr,
     {"#ebeff1", "#eeeeef", "#ebeff1"}},
    {"Background_Color_Psm",
     &StylingController::setBackgroundColorPsm,
     nullptr,
     nullptr,
     {"#c7d2de", "#ffffff", "#faf7ef"}},
    {"Background_Font_Color",
     &StylingController::setBackgroundFontColor,
     nullptr,
     nullptr,
     {"000000", "000000", "000000"}},
    {"Font_1", nullptr, nullptr, &StylingController::setFont1, {"Roboto", "Roboto", "Roboto"}},
    {"Font_1_Light",
     nullptr,
     nullptr,
     &StylingController::setFont1Light,
     {"Roboto Light", "Roboto Light", "Roboto Light"}},
    {"Back_Button_Color_Psm",
     &StylingController::setBackButtonColorPsm,
     nullptr,
     nullptr,
     {"#738ea5", "#000000", "#738ea5"}},
    {"Border_Button_Active_Start_Color",
     &StylingController::setBorderButtonActiveStartColor,
     nullptr,
     nullptr,
     {"#68b1f5", "#000000", "#68b1f5"}},
    {"Border_Button_Active_End_Color",
     &StylingController::setBorderButtonActiveEndColor,
     nullptr,
     nullptr,
     {"#2991f0", "#000000", "#2991f0"}},
    {"Border_Button_Passive_Start_Color",
     &StylingController::setBorderButtonPassiveStartColor,
     nullptr,
     nullptr,
     {"#545960", "#000000", "#545960"}},
    {"Border_Button_Passive_End_Color",
     &StylingController::setBorderButtonPassiveEndColor,
     nullptr,
     nullptr,
     {"#7f7d7f", "#000000", "#7f7d7f"}},
    {"Border_Button_Border_Start_Color",
     &StylingController::setBorderButtonBorderStartColor,
     nullptr,
     nullptr,
     {"#000000", "#000000", "#000000"}},
    {"Border_Button_Border_End_Color",
     &StylingController::setBorderButtonBorderEndColor,
     nullptr,
     nullptr,
     {"#000000", "#000000", "#000000"}},
    {"Border_Button_Border_Width",
     nullptr,
     &StylingController::setBorderButtonBorderWidth,
     nullptr,
     {"0", "0", "0"}},
    {"Border_Button_Radius",
     nullptr,
     &StylingController::setBorderButtonRadius,
     nullptr,
     {"0", "0", "0"}},
    {"Border_Button_Font_Color",
     &StylingController::setBorderButtonFontColor,
     nullptr,
     nullptr,
     {"#ffffff", "#ffffff", "#ffffff"}},
    {"Button_Active_Color",
     &StylingController::setButtonActiveColor,
     nullptr,
     nullptr,
     {"#65aec1", "#ff8246", "#599ac1"}},
    {"Button_Border_Color",
     &StylingController::setButtonBorderColor,
     nullptr,
     nullptr,
     {"#c4cfd4", "#cccdd0", "#000000"}},
    {"Button_Border_Width",
     nullptr,
     &StylingController::setButtonBorderWidth,
     nullptr,
     {"2", "2", "0"}},
    {"Button_Radius", nullptr, &StylingController::setButtonRadius, nullptr, {"12", "12", "0"}},
    {"Button_Font_Color",
     &StylingController::setButtonFontColor,
     nullptr,
     nullptr,
     {"#ffffff", "#ffffff", "#ffffff"}},
    {"Gray_Out_Effekt_Color",
     &StylingController::setGrayOutEffektColor,
     nullptr,
     nullptr,
     {"#b3395f6f", "#b3545961", "#b3395f6f"}},
    {"Slider_Background_Start_Color",
     &StylingController::setSliderBackgroundStartColor,
     nullptr,
     nullptr,
     {"#fdfcfc", "#fdfcfc", "#fdfcfc"}},
    {"Slider_Background_End_Color",
     &StylingController::setSliderBackgroundEndColor,
     nullptr,
     nullptr,
     {"#fdfcfc", "#fdfcfc", "#fdfcfc"}},
    {"Slider_Background_Radius",
     nullptr,
     &StylingController::setSliderBackgroundRadius,
     nullptr,
     {"10", "10", "10"}},
    {"Slider_Button_Start_Color",
     &StylingController::setSliderButtonStartColor,
     nullptr,
     nullptr,
     {"#ffffff", "#ffffff", "#fffff"}},
    {"Slider_Button_Border_Color",
     &StylingController::setSliderButtonBorderColor,
     nullptr,
     nullptr,
     {"#c4cfd4", "#cccdd0", "#c4cfd4"}},
    {"Slider_Button_Border_Width",
     nullptr,
     &StylingController::setSliderButtonBorderWidth,
     nullptr,
     {"2", "2", "2"}},
    {"Slider_Button_End_Color",
     &StylingController::setSliderButtonEndColor,
     nullptr,
     nullptr,
     {"#7f7d7f", "#ffffff", "#7f7d7f"}},
    {"Slider_Button_Radius",
     nullptr,
     &StylingController::setSliderButtonRadius,
     nullptr,
     {"12", "12", "12"}},
    {"Slider_Font_Color",
     &StylingController::setSliderFontColor,
     nullptr,
     nullptr,
     {"#395f6f", "#000000", "#7b435a"}},
    {"Slider_Center_Color_Active",
     &StylingController::setSliderCenterColorActive,
     nullptr,
     nullptr,
     {"#68b1f5", "#ff8246", "#7b435a"}},
    {"Slider_Center_Color_Inactive",
     &StylingController::setSliderCenterColorInactive,
     nullptr,
     nullptr,
     {"#eceff1", "#eeeeef", "#b6b0ab"}},
    {"Header_Background_Color_Start",
     &StylingController::setHeaderBackgroundColorStart,
     nullptr,
     nullptr,
     {"#001e4b", "#3c1432", "#001e4b"}},
    {"Header_Background_Color_End",
     &StylingController::setHeaderBackgroundColorEnd,
     nullptr,
     nullptr,
     {"#69bedc", "#ff8246", "#69bedc"}},
    {"Popup_Header_Background_Color_Start",
     &StylingController::setPopupHeaderBackgroundColorStart,
     nullptr,
     nullptr,
     {"#001e4b", "#3c1432", "#001e4b"}},
    {"Popup_Header_Background_Color_End",
     &StylingController::setPopupHeaderBackgroundColorEnd,
     nullptr,
     nullptr,
     {"#69bedc", "#ff8246", "#69bedc"}},
    {"Slider_Control_Color",
     &StylingController::setSliderControlColor,
     nullptr,
     nullptr,
     {"#ffffff", "#ffffff", "#ffffff"}},
    {"Slider_Border_Color",
     &StylingController::setSliderBorderColor,
     nullptr,
     nullptr,
     {"#053850", "#053850", "#053850"}},
    {"Toggle_Button_Background_Color_Active",
     &StylingController::setToggleButtonColorActive,
     nullptr,
     nullptr,
     {"#68b1f5", "#ff8246", "#7b435a"}},
    {"Toggle_Button_Background_Color_Inactive",
     &StylingController::setToggleButtonColorInactive,
     nullptr,
     nullptr,
     {"#eceff1", "#cccdd0", "#ffffff"}},
    {"Toggle_Button_Border_Color",
     &StylingController::setToggleButtonBorderColor,
     nullptr,
     nullptr,
     {"#c4cfd4", "#c4cfd4", "#c4cfd4"}},
    {"Toggle_Button_Control_Color_Active",
     &StylingController::setToggleButtonControlColorActive,
     nullptr,
     nullptr,
     {"#ffffff", "#ffffff", "#ffffff"}},
    {"Toggle_Button_Control_Color_Inactive",
     &StylingController::setToggleButtonControlColorInactive,
     nullptr,
     nullptr,
     {"#ffffff", "#ffffff", "#545960"}},
    {"Toggle_Button_Radius",
     nullptr,
     &StylingController::setToggleButtonRadius,
     nullptr,
     {"10", "30", "30"}},
    {"Button_Color",
     &StylingController::setButtonColor,
     nullptr,
     nullptr,
     {"#ebeff1", "#eeeeef", "#ebeff1"}},
    {"Button_Color_Psm",
     &StylingController::setButtonColorPsm,
     nullptr,
     nullptr,
     {"#d1dae5", "#000000", "#b6b0ab"}},
    {"Button_Color_Active_Psm",
     &StylingController::setButtonColorPressed,
     nullptr,
     nullptr,
     {"#68b1f5", "#f5b342", "#7b435a"}},
    {"Button_Text_Color",
     &StylingController::setButtonTextColor,
     nullptr,
     nullptr,
     {nullptr, nullptr, nullptr}},
    {"Text_Color1",
     &StylingController::setTextColor1,
     nullptr,
     nullptr,
     {"#395f6f", "#545961", "#292822"}},
    {"Text_Color2",
     &StylingController::setTextColor2,
     nullptr,
     nullptr,
     {"#ffffff", "#ffffff", "#292822"}},
    {"Text_Color3",
     &StylingController::setTextColor3,
     nullptr,
     nullptr,
     {"#69bedc", "#ff8246", "#ffffff"}},
    {"List_Item_Selected_Text_Color_Psm",
     &StylingController::setTextColorSelectedListItemPsm,
     nullptr,
     nullptr,
     {"#68b1f5", "#ffffff", "#7b435a"}},
    {"Button_Shadow_Color",
     &StylingController::setButtonShadowColor,
     nullptr,
     nullptr,
     {"#95a2b2", "#ff8246", "#7b435a"}},
    {"Check_Mark_Color",
     &StylingController::setCheckmarkColor,
     nullptr,
     nullptr,
     {"#68b1f5", "#ff8246", "#7b435a"}},
    {"Slider_Custom_Button_Color",
     &StylingController::setSliderButtonColor,
     nullptr,
     nullptr,
     {nullptr, nullptr, nullptr}},
    {"Special_Button_Color",
     &StylingController::setSpecialButtonColor,
     nullptr,
     nullptr,
     {nullptr, nullptr, nullptr}},
    {"TabBar_Color_Active",
     &StylingController::setTabBarColorActive,
     nullptr,
     nullptr,
     {"#e0eff3", "#e0eff3", "#b6b0ab"}},
    {"TabBar_Color_Inactive",
     &StylingController::setTabBarColorInactive,
     nullptr,
     nullptr,
     {"#ffffff", "#ffffff", "#ffffff"}},
    {"Top_Bar_Background_Color_Psm",
     &StylingController::setTopBarBackgroundColorPsm,
     nullptr,
     nullptr,
     {"#ffffff", "#de754c", "#b6b0ab"}},
    {"Navigation_Button_Color_Psm",
     &StylingController::setNavButtonColorPsm,
     nullptr,
     nullptr,
     {"#d7dfe2", "#dddedf", "#b6b0ab"}},
    {"Navigation_Button_Color_Selected_Start_Psm",
     &StylingController::setNavButtonColorSelectedStartPsm,
     nullptr,
     nullptr,
     {"#001e4b", "#3c1432", "#3c1432"}},
    {"Navigation_Button_Color_Selected_End_Psm",
     &StylingController::setNavButtonColorSelectedEndPsm,
     nullptr,
     nullptr,
     {"#69bedc", "#ff8246", "#ff8246"}},
    {"Vertical_Scrollbar_Slider_Color_Psm",
     &StylingController::setVerticalScrollbarSliderColorPsm,
     nullptr,
     nullptr,
     {"#93a8bb", "#93a8bb", "#93a8bb"}},
    {"List_Item_Background_Color_Psm",
     &StylingController::setListItemBackgroundColorPsm,
     nullptr,
     nullptr,
     {"#d1dae5", "#000000", "#b6b0ab"}},
    {"Media_List_Item_Background_Color_Psm",
     &StylingController::setMediaListItemBackgroundColorPsm,
     nullptr,
     nullptr,
     {"#d4dde7", "#d4dde7", "#d4dde7"}},
    {"Main_Menu_Button_Color",
     &StylingController::setMainMenuButtonColor,
     nullptr,
     nullptr,
     {nullptr, nullptr, nullptr}},
    {"Accordion_Title_Active_Background",
     &StylingController::setAccordionTitleActiveBg,
     nullptr,
     nullptr,
     {"#65aec1", "#ff8246", "#599ac1"}},
    {"Accordion_Title_Passive_Background",
     &StylingController::setAccordionTitlePassiveBg,
     nullptr,
     nullptr,
     {"#d7dfe2", "#dddedf", "#d7dfe2"}},
    {"Accordion_Title_Active_Font",
     &StylingController::setAccordionTitleActiveFont,
     nullptr,
     nullptr,
     {"#ffffff", "#ffffff", "#ffffff"}},
    {"Accordion_Title_Passive_Font",
     &StylingController::setAccordionTitlePassiveFont,
     nullptr,
     nullptr,
     {"#395f6f", "#395f6f", "#395f6f"}},
    {"Accordion_Item_Divider_Color",
     &StylingController::setAccordionItemDividerColor,
     nullptr,
     nullptr,
     {"#ebeff1", "#ebeff1", "#ebeff1"}},
    {"Accordion_Item_Active_Color",
     &StylingController::setAccordionItemActiveColor,
     nullptr,
     nullptr,
     {"#ffe6da", "#ffe6da", "#ffe6da"}},
};

enum DefaultsColumn { OraColumn = 0, LoungeColumn = 1, CustomColumn = 2 };

struct ThemeDefaults
{
    const char* section;
    DefaultsColumn column;
};

// The sections that receive defaults, in writing order. DEFAULT_THEME never
// gets any.
const ThemeDefaults WrittenThemes[] = {
    {"ORA_THEME", OraColumn},
    {"LOUNGE_THEME", LoungeColumn},
    {"US_VERSION_THEME", OraColumn},
    {"CUSTOM_THEME", CustomColumn},
};

QString iconSetName(StylingController::Theme theme)
{
    switch (theme) {
    case StylingController::ORA_THEME:
        return QStringLiteral("clinic");
    case StylingController::LOUNGE_THEME:
        return QStringLiteral("lounge");
    case StylingController::US_VERSION_THEME:
        return QStringLiteral("us_version");
    case StylingController::CUSTOM_THEME:
        return QStringLiteral("custom");
    case StylingController::DEFAULT_THEME:
        break;
    }
    return QStringLiteral("ora");
}

QString sectionName(StylingController::Theme theme)
{
    const QMetaEnum themes = QMetaEnum::fromType<StylingController::Theme>();
    const char* name = themes.valueToKey(theme);
    return name ? QString::fromLatin1(name) : QString::fromLatin1(themes.valueToKey(0));
}

QColor colourFromText(const QString& text)
{
    // Checked first so that texts such as "000000" load as an invalid colour
    // without a warning for every theme switch.
    return QColor::isValidColor(text) ? QColor(text) : QColor();
}

} // namespace

StylingController* StylingController::getInstance()
{
    static StylingController instance;
    return &instance;
}

StylingController::StylingController()
{
    // The signal and setTheme name the type without its namespace; register
    // that spelling too so queued connections, QML and signal spies can
    // carry the argument.
    qRegisterMetaType<StylingController::Theme>("StylingController::Theme");
    connect(this, &StylingController::themeChanged, this, &StylingController::onThemeChanged);
}

void StylingController::Initialize(Theme theme)
{
    setTheme(theme);
    StyleSettings* settings = DataStorage::getInstance()->styleSettings();
    if (!QFileInfo::exists(settings->fileName())) {
        writeDefaultStyleSettings();
        settings->sync();
    }
    initializeValues();
}

void StylingController::setTheme(StylingController::Theme theme)
{
    if (m_theme == theme)
        return;
    m_theme = theme;
    initializeValues();
    emit themeChanged(theme);
}

void StylingController::initializeValues()
{
    StyleSettings* settings = DataStorage::getInstance()->styleSettings();
    // QSettings keeps the file in memory; syncing first picks up edits made
    // to the file since it was read, so they apply at the next theme switch.
    settings->sync();
    const QString section = sectionName(m_theme);
    setIconSet(iconSetName(m_theme) + QDir::separator());

    for (const StyleEntry& entry : StyleEntries) {
        const QVariant stored = settings->value(
            QStringLiteral("%1/%2").arg(section, QLatin1String(entry.key)), QVariant());
        if (entry.colour)
            (this->*entry.colour)(colourFromText(stored.toString()));
        else if (entry.integer)
            (this->*entry.integer)(stored.toInt());
        else
            (this->*entry.text)(stored.toString());
    }
    emit styleChanged();
}

void StylingController::writeDefaultStyleSettings()
{
    StyleSettings* settings = DataStorage::getInstance()->styleSettings();
    for (const ThemeDefaults& theme : WrittenThemes) {
        const QString section = QLatin1String(theme.section);
        for (const StyleEntry& entry : StyleEntries) {
            const char* text = entry.defaults[theme.column];
            if (!text)
                continue;
            const QString key = QStringLiteral("%1/%2").arg(section, QLatin1String(entry.key));
            if (entry.integer)
                settings->setValue(key, QString::fromLatin1(text).toInt());
            else
                settings->setValue(key, QString::fromLatin1(text));
            // The custom theme carries one extra colour that no property reads.
            if (theme.column == CustomColumn && qstrcmp(entry.key, "Button_Active_Color") == 0)
                settings->setValue(QStringLiteral("%1/Button_Passive_Start_Color").arg(section),
                                   QStringLiteral("#ebeff1"));
        }
    }
}

void StylingController::onThemeChanged()
{
    emit iconSetChanged();
    emit backgroundColorGridChanged();
    emit backgroundColorPsmChanged();
    emit backgroundFontColorChanged();
    emit font1Changed();
    emit font1LightChanged();
    emit backButtonColorPsmChanged();
    emit borderButtonActiveStartColorChanged();
    emit borderButtonActiveEndColorChanged();
    emit borderButtonPassiveStartColorChanged();
    emit borderButtonPassiveEndColorChanged();
    emit borderButtonBorderStartColorChanged();
    emit borderButtonBorderEndColorChanged();
    emit borderButtonBorderWidthChanged();
    emit borderButtonRadiusChanged();
    emit borderButtonFontColorChanged();
    emit buttonActiveColorChanged();
    emit buttonBorderColorChanged();
    emit buttonBorderWidthChanged();
    emit buttonRadiusChanged();
    emit buttonFontColorChanged();
    emit grayOutEffektColorChanged();
    emit sliderBackgroundStartColorChanged();
    emit sliderBackgroundEndColorChanged();
    emit sliderBackgroundRadiusChanged();
    emit sliderButtonStartColorChanged();
    emit sliderButtonBorderColorChanged();
    emit sliderButtonBorderWidthChanged();
    emit sliderButtonEndColorChanged();
    emit sliderButtonRadiusChanged();
    emit sliderFontColorChanged();
    emit sliderCenterColorActiveChanged();
    emit sliderCenterColorInactiveChanged();
    emit headerBackgroundColorStartChanged();
    emit headerBackgroundColorEndChanged();
    emit popupHeaderBackgroundColorStartChanged();
    emit popupHeaderBackgroundColorEndChanged();
    emit sliderControlColorChanged();
    emit sliderBorderColorChanged();
    emit toggleButtonColorActiveChanged();
    emit toggleButtonColorInactiveChanged();
    emit toggleButtonBorderColorChanged();
    emit toggleButtonControlColorActiveChanged();
    emit toggleButtonControlColorInactiveChanged();
    emit toggleButtonRadiusChanged();
    emit buttonColorChanged();
    emit buttonColorPsmChanged();
    emit buttonColorPressedChanged();
    emit buttonTextColorChanged();
    emit textColor1Changed();
    emit textColor2Changed();
    emit textColor3Changed();
    emit textColorSelectedListItemPsmChanged();
    emit buttonShadowColorChanged();
    emit checkMarkColorChanged();
    emit sliderButtonColorChanged();
    emit specialButtonColorChanged();
    emit tabBarColorActiveChanged();
    emit tabBarColorInactiveChanged();
    emit topBarBackgroundColorPsmChanged();
    emit navButtonColorPsmChanged();
    emit navButtonColorSelectedStartPsmChanged();
    emit navButtonColorSelectedEndPsmChanged();
    emit verticalScrollbarSliderColorPsmChanged();
    emit listItemBackgroundColorPsmChanged();
    emit mediaListItemBackgroundColorPsmChanged();
    emit mainMenubuttonColorChanged();
    emit accordionTitleActiveBgChanged();
    emit accordionTitlePassiveBgChanged();
    emit accordionTitleActiveFontChanged();
    emit accordionTitlePassiveFontChanged();
    emit accordionItemDividerColorChanged();
    emit accordionItemActiveColorChanged();
    emit sliderTickerColorChanged();
    emit sliderButtonColorPressedChanged();
    emit styleChanged();
}

void StylingController::setIconSet(const QString& iconSet)
{
    if (m_iconSet == iconSet)
        return;
    m_iconSet = iconSet;
    emit iconSetChanged();
}

void StylingController::setBackgroundColorGrid(const QColor& backgroundColorGrid)
{
    if (m_backgroundColorGrid == backgroundColorGrid)
        return;
    m_backgroundColorGrid = backgroundColorGrid;
    emit backgroundColorGridChanged();
}

void StylingController::setBackgroundColorPsm(const QColor& backgroundColorPsm)
{
    if (m_backgroundColorPsm == backgroundColorPsm)
        return;
    m_backgroundColorPsm = backgroundColorPsm;
    emit backgroundColorPsmChanged();
}

void StylingController::setBackgroundFontColor(const QColor& backgroundFontColor)
{
    if (m_backgroundFontColor == backgroundFontColor)
        return;
    m_backgroundFontColor = backgroundFontColor;
    emit backgroundFontColorChanged();
}

void StylingController::setFont1(const QString& font1)
{
    if (m_font1 == font1)
        return;
    m_font1 = font1;
    emit font1Changed();
}

void StylingController::setFont1Light(const QString& font1Light)
{
    if (m_font1Light == font1Light)
        return;
    m_font1Light = font1Light;
    emit font1LightChanged();
}

void StylingController::setBackButtonColorPsm(const QColor& backButtonColorPsm)
{
    if (m_backButtonColorPsm == backButtonColorPsm)
        return;
    m_backButtonColorPsm = backButtonColorPsm;
    emit backButtonColorPsmChanged();
}

void StylingController::setBorderButtonActiveStartColor(const QColor& borderButtonActiveStartColor)
{
    if (m_borderButtonActiveStartColor == borderButtonActiveStartColor)
        return;
    m_borderButtonActiveStartColor = borderButtonActiveStartColor;
    emit borderButtonActiveStartColorChanged();
}

void StylingController::setBorderButtonActiveEndColor(const QColor& borderButtonActiveEndColor)
{
    if (m_borderButtonActiveEndColor == borderButtonActiveEndColor)
        return;
    m_borderButtonActiveEndColor = borderButtonActiveEndColor;
    emit borderButtonActiveEndColorChanged();
}

void StylingController::setBorderButtonPassiveStartColor(
    const QColor& borderButtonPassiveStartColor)
{
    if (m_borderButtonPassiveStartColor == borderButtonPassiveStartColor)
        return;
    m_borderButtonPassiveStartColor = borderButtonPassiveStartColor;
    emit borderButtonPassiveStartColorChanged();
}

void StylingController::setBorderButtonPassiveEndColor(const QColor& borderButtonPassiveEndColor)
{
    if (m_borderButtonPassiveEndColor == borderButtonPassiveEndColor)
        return;
    m_borderButtonPassiveEndColor = borderButtonPassiveEndColor;
    emit borderButtonPassiveEndColorChanged();
}

void StylingController::setBorderButtonBorderStartColor(const QColor& borderButtonBorderStartColor)
{
    if (m_borderButtonBorderStartColor == borderButtonBorderStartColor)
        return;
    m_borderButtonBorderStartColor = borderButtonBorderStartColor;
    emit borderButtonBorderStartColorChanged();
}

void StylingController::setBorderButtonBorderEndColor(const QColor& borderButtonBorderEndColor)
{
    if (m_borderButtonBorderEndColor == borderButtonBorderEndColor)
        return;
    m_borderButtonBorderEndColor = borderButtonBorderEndColor;
    emit borderButtonBorderEndColorChanged();
}

void StylingController::setBorderButtonBorderWidth(int borderButtonBorderWidth)
{
    if (m_borderButtonBorderWidth == borderButtonBorderWidth)
        return;
    m_borderButtonBorderWidth = borderButtonBorderWidth;
    emit borderButtonBorderWidthChanged();
}

void StylingController::setBorderButtonRadius(int borderButtonRadius)
{
    if (m_borderButtonRadius == borderButtonRadius)
        return;
    m_borderButtonRadius = borderButtonRadius;
    emit borderButtonRadiusChanged();
}

void StylingController::setBorderButtonFontColor(const QColor& borderButtonFontColor)
{
    if (m_borderButtonFontColor == borderButtonFontColor)
        return;
    m_borderButtonFontColor = borderButtonFontColor;
    emit borderButtonFontColorChanged();
}

void StylingController::setButtonActiveColor(const QColor& buttonActiveColor)
{
    if (m_buttonActiveColor == buttonActiveColor)
        return;
    m_buttonActiveColor = buttonActiveColor;
    emit buttonActiveColorChanged();
}

void StylingController::setButtonBorderColor(const QColor& buttonBorderColor)
{
    if (m_buttonBorderColor == buttonBorderColor)
        return;
    m_buttonBorderColor = buttonBorderColor;
    emit buttonBorderColorChanged();
}

void StylingController::setButtonBorderWidth(int buttonBorderWidth)
{
    if (m_buttonBorderWidth == buttonBorderWidth)
        return;
    m_buttonBorderWidth = buttonBorderWidth;
    emit buttonBorderWidthChanged();
}

void StylingController::setButtonRadius(int buttonRadius)
{
    if (m_buttonRadius == buttonRadius)
        return;
    m_buttonRadius = buttonRadius;
    emit buttonRadiusChanged();
}

void StylingController::setButtonFontColor(const QColor& buttonFontColor)
{
    if (m_buttonFontColor == buttonFontColor)
        return;
    m_buttonFontColor = buttonFontColor;
    emit buttonFontColorChanged();
}

void StylingController::setGrayOutEffektColor(const QColor& grayOutEffektColor)
{
    if (m_grayOutEffektColor == grayOutEffektColor)
        return;
    m_grayOutEffektColor = grayOutEffektColor;
    emit grayOutEffektColorChanged();
}

void StylingController::setSliderBackgroundStartColor(const QColor& sliderBackgroundStartColor)
{
    if (m_sliderBackgroundStartColor == sliderBackgroundStartColor)
        return;
    m_sliderBackgroundStartColor = sliderBackgroundStartColor;
    emit sliderBackgroundStartColorChanged();
}

void StylingController::setSliderBackgroundEndColor(const QColor& sliderBackgroundEndColor)
{
    if (m_sliderBackgroundEndColor == sliderBackgroundEndColor)
        return;
    m_sliderBackgroundEndColor = sliderBackgroundEndColor;
    emit sliderBackgroundEndColorChanged();
}

void StylingController::setSliderBackgroundRadius(int sliderBackgroundRadius)
{
    if (m_sliderBackgroundRadius == sliderBackgroundRadius)
        return;
    m_sliderBackgroundRadius = sliderBackgroundRadius;
    emit sliderBackgroundRadiusChanged();
}

void StylingController::setSliderButtonStartColor(const QColor& sliderButtonStartColor)
{
    if (m_sliderButtonStartColor == sliderButtonStartColor)
        return;
    m_sliderButtonStartColor = sliderButtonStartColor;
    emit sliderButtonStartColorChanged();
}

void StylingController::setSliderButtonBorderColor(const QColor& sliderButtonBorderColor)
{
    if (m_sliderButtonBorderColor == sliderButtonBorderColor)
        return;
    m_sliderButtonBorderColor = sliderButtonBorderColor;
    emit sliderButtonBorderColorChanged();
}

void StylingController::setSliderButtonBorderWidth(int sliderButtonBorderWidth)
{
    if (m_sliderButtonBorderWidth == sliderButtonBorderWidth)
        return;
    m_sliderButtonBorderWidth = sliderButtonBorderWidth;
    emit sliderButtonBorderWidthChanged();
}

void StylingController::setSliderButtonEndColor(const QColor& sliderButtonEndColor)
{
    if (m_sliderButtonEndColor == sliderButtonEndColor)
        return;
    m_sliderButtonEndColor = sliderButtonEndColor;
    emit sliderButtonEndColorChanged();
}

void StylingController::setSliderButtonRadius(int sliderButtonRadius)
{
    if (m_sliderButtonRadius == sliderButtonRadius)
        return;
    m_sliderButtonRadius = sliderButtonRadius;
    emit sliderButtonRadiusChanged();
}

void StylingController::setSliderFontColor(const QColor& sliderFontColor)
{
    if (m_sliderFontColor == sliderFontColor)
        return;
    m_sliderFontColor = sliderFontColor;
    emit sliderFontColorChanged();
}

void StylingController::setSliderCenterColorActive(const QColor& sliderCenterColorActive)
{
    if (m_sliderCenterColorActive == sliderCenterColorActive)
        return;
    m_sliderCenterColorActive = sliderCenterColorActive;
    emit sliderCenterColorActiveChanged();
}

void StylingController::setSliderCenterColorInactive(const QColor& sliderCenterColorInactive)
{
    if (m_sliderCenterColorInactive == sliderCenterColorInactive)
        return;
    m_sliderCenterColorInactive = sliderCenterColorInactive;
    emit sliderCenterColorInactiveChanged();
}

void StylingController::setHeaderBackgroundColorStart(const QColor& headerBackgroundColorStart)
{
    if (m_headerBackgroundColorStart == headerBackgroundColorStart)
        return;
    m_headerBackgroundColorStart = headerBackgroundColorStart;
    emit headerBackgroundColorStartChanged();
}

void StylingController::setHeaderBackgroundColorEnd(const QColor& headerBackgroundColorEnd)
{
    if (m_headerBackgroundColorEnd == headerBackgroundColorEnd)
        return;
    m_headerBackgroundColorEnd = headerBackgroundColorEnd;
    emit headerBackgroundColorEndChanged();
}

void StylingController::setPopupHeaderBackgroundColorStart(
    const QColor& popupHeaderBackgroundColorStart)
{
    if (m_popupHeaderBackgroundColorStart == popupHeaderBackgroundColorStart)
        return;
    m_popupHeaderBackgroundColorStart = popupHeaderBackgroundColorStart;
    emit popupHeaderBackgroundColorStartChanged();
}

void StylingController::setPopupHeaderBackgroundColorEnd(
    const QColor& popupHeaderBackgroundColorEnd)
{
    if (m_popupHeaderBackgroundColorEnd == popupHeaderBackgroundColorEnd)
        return;
    m_popupHeaderBackgroundColorEnd = popupHeaderBackgroundColorEnd;
    emit popupHeaderBackgroundColorEndChanged();
}

void StylingController::setSliderControlColor(const QColor& sliderControlColor)
{
    if (m_sliderControlColor == sliderControlColor)
        return;
    m_sliderControlColor = sliderControlColor;
    emit sliderControlColorChanged();
}

void StylingController::setSliderBorderColor(const QColor& sliderBorderColor)
{
    if (m_sliderBorderColor == sliderBorderColor)
        return;
    m_sliderBorderColor = sliderBorderColor;
    emit sliderBorderColorChanged();
}

void StylingController::setToggleButtonColorActive(const QColor& toggleButtonColorActive)
{
    if (m_toggleButtonColorActive == toggleButtonColorActive)
        return;
    m_toggleButtonColorActive = toggleButtonColorActive;
    emit toggleButtonColorActiveChanged();
}

void StylingController::setToggleButtonColorInactive(const QColor& toggleButtonColorInactive)
{
    if (m_toggleButtonColorInactive == toggleButtonColorInactive)
        return;
    m_toggleButtonColorInactive = toggleButtonColorInactive;
    emit toggleButtonColorInactiveChanged();
}

void StylingController::setToggleButtonBorderColor(const QColor& toggleButtonBorderColor)
{
    if (m_toggleButtonBorderColor == toggleButtonBorderColor)
        return;
    m_toggleButtonBorderColor = toggleButtonBorderColor;
    emit toggleButtonBorderColorChanged();
}

void StylingController::setToggleButtonControlColorActive(
    const QColor& toggleButtonControlColorActive)
{
    if (m_toggleButtonControlColorActive == toggleButtonControlColorActive)
        return;
    m_toggleButtonControlColorActive = toggleButtonControlColorActive;
    emit toggleButtonControlColorActiveChanged();
}

void StylingController::setToggleButtonControlColorInactive(
    const QColor& toggleButtonControlColorInactive)
{
    if (m_toggleButtonControlColorInactive == toggleButtonControlColorInactive)
        return;
    m_toggleButtonControlColorInactive = toggleButtonControlColorInactive;
    emit toggleButtonControlColorInactiveChanged();
}

void StylingController::setToggleButtonRadius(int toggleButtonRadius)
{
    if (m_toggleButtonRadius == toggleButtonRadius)
        return;
    m_toggleButtonRadius = toggleButtonRadius;
    emit toggleButtonRadiusChanged();
}

void StylingController::setButtonColor(const QColor& buttonColor)
{
    if (m_buttonColor == buttonColor)
        return;
    m_buttonColor = buttonColor;
    emit buttonColorChanged();
}

void StylingController::setButtonColorPsm(const QColor& buttonColorPsm)
{
    if (m_buttonColorPsm == buttonColorPsm)
        return;
    m_buttonColorPsm = buttonColorPsm;
    emit buttonColorPsmChanged();
}

void StylingController::setButtonColorPressed(const QColor& buttonColorPressed)
{
    if (m_buttonColorPressed == buttonColorPressed)
        return;
    m_buttonColorPressed = buttonColorPressed;
    emit buttonColorPressedChanged();
}

void StylingController::setButtonTextColor(const QColor& buttonTextColor)
{
    if (m_buttonTextColor == buttonTextColor)
        return;
    m_buttonTextColor = buttonTextColor;
    emit buttonTextColorChanged();
}

void StylingController::setTextColor1(const QColor& textColor1)
{
    if (m_textColor1 == textColor1)
        return;
    m_textColor1 = textColor1;
    emit textColor1Changed();
}

void StylingController::setTextColor2(const QColor& textColor2)
{
    if (m_textColor2 == textColor2)
        return;
    m_textColor2 = textColor2;
    emit textColor2Changed();
}

void StylingController::setTextColor3(const QColor& textColor3)
{
    if (m_textColor3 == textColor3)
        return;
    m_textColor3 = textColor3;
    emit textColor3Changed();
}

void StylingController::setTextColorSelectedListItemPsm(const QColor& textColorSelectedListItemPsm)
{
    if (m_textColorSelectedListItemPsm == textColorSelectedListItemPsm)
        return;
    m_textColorSelectedListItemPsm = textColorSelectedListItemPsm;
    emit textColorSelectedListItemPsmChanged();
}

void StylingController::setButtonShadowColor(const QColor& buttonShadowColor)
{
    if (m_buttonShadowColor == buttonShadowColor)
        return;
    m_buttonShadowColor = buttonShadowColor;
    emit buttonShadowColorChanged();
}

void StylingController::setCheckmarkColor(const QColor& checkMarkColor)
{
    if (m_checkMarkColor == checkMarkColor)
        return;
    m_checkMarkColor = checkMarkColor;
    emit checkMarkColorChanged();
}

void StylingController::setSliderButtonColor(const QColor& sliderButtonColor)
{
    if (m_sliderButtonColor == sliderButtonColor)
        return;
    m_sliderButtonColor = sliderButtonColor;
    emit sliderButtonColorChanged();
}

void StylingController::setSpecialButtonColor(const QColor& specialButtonColor)
{
    if (m_specialButtonColor == specialButtonColor)
        return;
    m_specialButtonColor = specialButtonColor;
    emit specialButtonColorChanged();
}

void StylingController::setTabBarColorActive(const QColor& tabBarColorActive)
{
    if (m_tabBarColorActive == tabBarColorActive)
        return;
    m_tabBarColorActive = tabBarColorActive;
    emit tabBarColorActiveChanged();
}

void StylingController::setTabBarColorInactive(const QColor& tabBarColorInactive)
{
    if (m_tabBarColorInactive == tabBarColorInactive)
        return;
    m_tabBarColorInactive = tabBarColorInactive;
    emit tabBarColorInactiveChanged();
}

void StylingController::setTopBarBackgroundColorPsm(const QColor& topBarBackgroundColorPsm)
{
    if (m_topBarBackgroundColorPsm == topBarBackgroundColorPsm)
        return;
    m_topBarBackgroundColorPsm = topBarBackgroundColorPsm;
    emit topBarBackgroundColorPsmChanged();
}

void StylingController::setNavButtonColorPsm(const QColor& navButtonColorPsm)
{
    if (m_navButtonColorPsm == navButtonColorPsm)
        return;
    m_navButtonColorPsm = navButtonColorPsm;
    emit navButtonColorPsmChanged();
}

void StylingController::setNavButtonColorSelectedStartPsm(
    const QColor& navButtonColorSelectedStartPsm)
{
    if (m_navButtonColorSelectedStartPsm == navButtonColorSelectedStartPsm)
        return;
    m_navButtonColorSelectedStartPsm = navButtonColorSelectedStartPsm;
    emit navButtonColorSelectedStartPsmChanged();
}

void StylingController::setNavButtonColorSelectedEndPsm(const QColor& navButtonColorSelectedEndPsm)
{
    if (m_navButtonColorSelectedEndPsm == navButtonColorSelectedEndPsm)
        return;
    m_navButtonColorSelectedEndPsm = navButtonColorSelectedEndPsm;
    emit navButtonColorSelectedEndPsmChanged();
}

void StylingController::setVerticalScrollbarSliderColorPsm(
    const QColor& verticalScrollbarSliderColorPsm)
{
    if (m_verticalScrollbarSliderColorPsm == verticalScrollbarSliderColorPsm)
        return;
    m_verticalScrollbarSliderColorPsm = verticalScrollbarSliderColorPsm;
    emit verticalScrollbarSliderColorPsmChanged();
}

void StylingController::setListItemBackgroundColorPsm(const QColor& listItemBackgroundColorPsm)
{
    if (m_listItemBackgroundColorPsm == listItemBackgroundColorPsm)
        return;
    m_listItemBackgroundColorPsm = listItemBackgroundColorPsm;
    emit listItemBackgroundColorPsmChanged();
}

void StylingController::setMediaListItemBackgroundColorPsm(
    const QColor& mediaListItemBackgroundColorPsm)
{
    if (m_mediaListItemBackgroundColorPsm == mediaListItemBackgroundColorPsm)
        return;
    m_mediaListItemBackgroundColorPsm = mediaListItemBackgroundColorPsm;
    emit mediaListItemBackgroundColorPsmChanged();
}

void StylingController::setMainMenuButtonColor(const QColor& mainMenuButtonColor)
{
    if (m_mainMenuButtonColor == mainMenuButtonColor)
        return;
    m_mainMenuButtonColor = mainMenuButtonColor;
    emit mainMenubuttonColorChanged();
}

void StylingController::setAccordionTitleActiveBg(const QColor& accordionTitleActiveBg)
{
    if (m_accordionTitleActiveBg == accordionTitleActiveBg)
        return;
    m_accordionTitleActiveBg = accordionTitleActiveBg;
    emit accordionTitleActiveBgChanged();
}

void StylingController::setAccordionTitlePassiveBg(const QColor& accordionTitlePassiveBg)
{
    if (m_accordionTitlePassiveBg == accordionTitlePassiveBg)
        return;
    m_accordionTitlePassiveBg = accordionTitlePassiveBg;
    emit accordionTitlePassiveBgChanged();
}

void StylingController::setAccordionTitleActiveFont(const QColor& accordionTitleActiveFont)
{
    if (m_accordionTitleActiveFont == accordionTitleActiveFont)
        return;
    m_accordionTitleActiveFont = accordionTitleActiveFont;
    emit accordionTitleActiveFontChanged();
}

void StylingController::setAccordionTitlePassiveFont(const QColor& accordionTitlePassiveFont)
{
    if (m_accordionTitlePassiveFont == accordionTitlePassiveFont)
        return;
    m_accordionTitlePassiveFont = accordionTitlePassiveFont;
    emit accordionTitlePassiveFontChanged();
}

void StylingController::setAccordionItemDividerColor(const QColor& accordionItemDividerColor)
{
    if (m_accordionItemDividerColor == accordionItemDividerColor)
        return;
    m_accordionItemDividerColor = accordionItemDividerColor;
    emit accordionItemDividerColorChanged();
}

void StylingController::setAccordionItemActiveColor(const QColor& accordionItemActiveColor)
{
    if (m_accordionItemActiveColor == accordionItemActiveColor)
        return;
    m_accordionItemActiveColor = accordionItemActiveColor;
    emit accordionItemActiveColorChanged();
}

void StylingController::setSliderTickerColor(const QColor& sliderTickerColor)
{
    if (m_sliderTickerColor == sliderTickerColor)
        return;
    m_sliderTickerColor = sliderTickerColor;
    emit sliderTickerColorChanged();
}

void StylingController::setSliderButtonPressedColor(const QColor& sliderButtonColorPressed)
{
    if (m_sliderButtonColorPressed == sliderButtonColorPressed)
        return;
    m_sliderButtonColorPressed = sliderButtonColorPressed;
    emit sliderButtonColorPressedChanged();
}

} // namespace VantoUi
