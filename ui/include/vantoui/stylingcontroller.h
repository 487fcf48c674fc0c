#pragma once

#include <vantoui/vantoui_global.h>

#include <QColor>
#include <QObject>
#include <QString>

namespace VantoUi {

// The single source of the GUI's look: colours, radii, border widths, fonts
// and the icon set of the current theme, read from the style settings file
// (one section per theme). Every value is a read-only property with a change
// signal so QML bindings follow a theme switch at once.
class VANTOUI_EXPORT StylingController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(Theme theme READ theme NOTIFY themeChanged)
    Q_PROPERTY(QString iconSet READ iconSet NOTIFY iconSetChanged)
    Q_PROPERTY(
        QColor backgroundColorGrid READ backgroundColorGrid NOTIFY backgroundColorGridChanged)
    Q_PROPERTY(QColor backgroundColorPsm READ backgroundColorPsm NOTIFY backgroundColorPsmChanged)
    Q_PROPERTY(
        QColor backgroundFontColor READ backgroundFontColor NOTIFY backgroundFontColorChanged)
    Q_PROPERTY(QString font1 READ font1 NOTIFY font1Changed)
    Q_PROPERTY(QString font1Light READ font1Light NOTIFY font1LightChanged)
    Q_PROPERTY(QColor backButtonColorPsm READ backButtonColorPsm NOTIFY backButtonColorPsmChanged)
    Q_PROPERTY(QColor borderButtonActiveStartColor READ borderButtonActiveStartColor NOTIFY
                   borderButtonActiveStartColorChanged)
    Q_PROPERTY(QColor borderButtonActiveEndColor READ borderButtonActiveEndColor NOTIFY
                   borderButtonActiveEndColorChanged)
    Q_PROPERTY(QColor borderButtonPassiveStartColor READ borderButtonPassiveStartColor NOTIFY
                   borderButtonPassiveStartColorChanged)
    Q_PROPERTY(QColor borderButtonPassiveEndColor READ borderButtonPassiveEndColor NOTIFY
                   borderButtonPassiveEndColorChanged)
    Q_PROPERTY(QColor borderButtonBorderStartColor READ borderButtonBorderStartColor NOTIFY
                   borderButtonBorderStartColorChanged)
    Q_PROPERTY(QColor borderButtonBorderEndColor READ borderButtonBorderEndColor NOTIFY
                   borderButtonBorderEndColorChanged)
    Q_PROPERTY(int borderButtonBorderWidth READ borderButtonBorderWidth NOTIFY
                   borderButtonBorderWidthChanged)
    Q_PROPERTY(int borderButtonRadius READ borderButtonRadius NOTIFY borderButtonRadiusChanged)
    Q_PROPERTY(
        QColor borderButtonFontColor READ borderButtonFontColor NOTIFY borderButtonFontColorChanged)
    Q_PROPERTY(QColor buttonActiveColor READ buttonActiveColor NOTIFY buttonActiveColorChanged)
    Q_PROPERTY(QColor buttonBorderColor READ buttonBorderColor NOTIFY buttonBorderColorChanged)
    Q_PROPERTY(int buttonBorderWidth READ buttonBorderWidth NOTIFY buttonBorderWidthChanged)
    Q_PROPERTY(int buttonRadius READ buttonRadius NOTIFY buttonRadiusChanged)
    Q_PROPERTY(QColor buttonFontColor READ buttonFontColor NOTIFY buttonFontColorChanged)
    Q_PROPERTY(QColor grayOutEffektColor READ grayOutEffektColor NOTIFY grayOutEffektColorChanged)
    Q_PROPERTY(QColor sliderBackgroundStartColor READ sliderBackgroundStartColor NOTIFY
                   sliderBackgroundStartColorChanged)
    Q_PROPERTY(QColor sliderBackgroundEndColor READ sliderBackgroundEndColor NOTIFY
                   sliderBackgroundEndColorChanged)
    Q_PROPERTY(
        int sliderBackgroundRadius READ sliderBackgroundRadius NOTIFY sliderBackgroundRadiusChanged)
    Q_PROPERTY(QColor sliderButtonStartColor READ sliderButtonStartColor NOTIFY
                   sliderButtonStartColorChanged)
    Q_PROPERTY(QColor sliderButtonBorderColor READ sliderButtonBorderColor NOTIFY
                   sliderButtonBorderColorChanged)
    Q_PROPERTY(int sliderButtonBorderWidth READ sliderButtonBorderWidth NOTIFY
                   sliderButtonBorderWidthChanged)
    Q_PROPERTY(
        QColor sliderButtonEndColor READ sliderButtonEndColor NOTIFY sliderButtonEndColorChanged)
    Q_PROPERTY(int sliderButtonRadius READ sliderButtonRadius NOTIFY sliderButtonRadiusChanged)
    Q_PROPERTY(QColor sliderFontColor READ sliderFontColor NOTIFY sliderFontColorChanged)
    Q_PROPERTY(QColor sliderCenterColorActive READ sliderCenterColorActive NOTIFY
                   sliderCenterColorActiveChanged)
    Q_PROPERTY(QColor sliderCenterColorInactive READ sliderCenterColorInactive NOTIFY
                   sliderCenterColorInactiveChanged)
    Q_PROPERTY(QColor headerBackgroundColorStart READ headerBackgroundColorStart NOTIFY
                   headerBackgroundColorStartChanged)
    Q_PROPERTY(QColor headerBackgroundColorEnd READ headerBackgroundColorEnd NOTIFY
                   headerBackgroundColorEndChanged)
    Q_PROPERTY(QColor popupHeaderBackgroundColorStart READ popupHeaderBackgroundColorStart NOTIFY
                   popupHeaderBackgroundColorStartChanged)
    Q_PROPERTY(QColor popupHeaderBackgroundColorEnd READ popupHeaderBackgroundColorEnd NOTIFY
                   popupHeaderBackgroundColorEndChanged)
    Q_PROPERTY(QColor sliderControlColor READ sliderControlColor NOTIFY sliderControlColorChanged)
    Q_PROPERTY(QColor sliderBorderColor READ sliderBorderColor NOTIFY sliderBorderColorChanged)
    Q_PROPERTY(QColor toggleButtonColorActive READ toggleButtonColorActive NOTIFY
                   toggleButtonColorActiveChanged)
    Q_PROPERTY(QColor toggleButtonColorInactive READ toggleButtonColorInactive NOTIFY
                   toggleButtonColorInactiveChanged)
    Q_PROPERTY(QColor toggleButtonBorderColor READ toggleButtonBorderColor NOTIFY
                   toggleButtonBorderColorChanged)
    Q_PROPERTY(QColor toggleButtonControlColorActive READ toggleButtonControlColorActive NOTIFY
                   toggleButtonControlColorActiveChanged)
    Q_PROPERTY(QColor toggleButtonControlColorInactive READ toggleButtonControlColorInactive NOTIFY
                   toggleButtonControlColorInactiveChanged)
    Q_PROPERTY(int toggleButtonRadius READ toggleButtonRadius NOTIFY toggleButtonRadiusChanged)
    Q_PROPERTY(QColor buttonColor READ buttonColor NOTIFY buttonColorChanged)
    Q_PROPERTY(QColor buttonColorPsm READ buttonColorPsm NOTIFY buttonColorPsmChanged)
    Q_PROPERTY(QColor buttonColorPressed READ buttonColorPressed NOTIFY buttonColorPressedChanged)
    Q_PROPERTY(QColor buttonTextColor READ buttonTextColor NOTIFY buttonTextColorChanged)
    Q_PROPERTY(QColor textColor1 READ textColor1 NOTIFY textColor1Changed)
    Q_PROPERTY(QColor textColor2 READ textColor2 NOTIFY textColor2Changed)
    Q_PROPERTY(QColor textColor3 READ textColor3 NOTIFY textColor3Changed)
    Q_PROPERTY(QColor textColorSelectedListItemPsm READ textColorSelectedListItemPsm NOTIFY
                   textColorSelectedListItemPsmChanged)
    Q_PROPERTY(QColor buttonShadowColor READ buttonShadowColor NOTIFY buttonShadowColorChanged)
    Q_PROPERTY(QColor checkMarkColor READ checkMarkColor NOTIFY checkMarkColorChanged)
    Q_PROPERTY(QColor sliderButtonColor READ sliderButtonColor NOTIFY sliderButtonColorChanged)
    Q_PROPERTY(QColor specialButtonColor READ specialButtonColor NOTIFY specialButtonColorChanged)
    Q_PROPERTY(QColor tabBarColorActive READ tabBarColorActive NOTIFY tabBarColorActiveChanged)
    Q_PROPERTY(
        QColor tabBarColorInactive READ tabBarColorInactive NOTIFY tabBarColorInactiveChanged)
    Q_PROPERTY(QColor topBarBackgroundColorPsm READ topBarBackgroundColorPsm NOTIFY
                   topBarBackgroundColorPsmChanged)
    Q_PROPERTY(QColor navButtonColorPsm READ navButtonColorPsm NOTIFY navButtonColorPsmChanged)
    Q_PROPERTY(QColor navButtonColorSelectedStartPsm READ navButtonColorSelectedStartPsm NOTIFY
                   navButtonColorSelectedStartPsmChanged)
    Q_PROPERTY(QColor navButtonColorSelectedEndPsm READ navButtonColorSelectedEndPsm NOTIFY
                   navButtonColorSelectedEndPsmChanged)
    Q_PROPERTY(QColor verticalScrollbarSliderColorPsm READ verticalScrollbarSliderColorPsm NOTIFY
                   verticalScrollbarSliderColorPsmChanged)
    Q_PROPERTY(QColor listItemBackgroundColorPsm READ listItemBackgroundColorPsm NOTIFY
                   listItemBackgroundColorPsmChanged)
    Q_PROPERTY(QColor mediaListItemBackgroundColorPsm READ mediaListItemBackgroundColorPsm NOTIFY
                   mediaListItemBackgroundColorPsmChanged)
    Q_PROPERTY(
        QColor mainMenuButtonColor READ mainMenuButtonColor NOTIFY mainMenubuttonColorChanged)
    Q_PROPERTY(QColor accordionTitleActiveBg READ accordionTitleActiveBg NOTIFY
                   accordionTitleActiveBgChanged)
    Q_PROPERTY(QColor accordionTitlePassiveBg READ accordionTitlePassiveBg NOTIFY
                   accordionTitlePassiveBgChanged)
    Q_PROPERTY(QColor accordionTitleActiveFont READ accordionTitleActiveFont NOTIFY
                   accordionTitleActiveFontChanged)
    Q_PROPERTY(QColor accordionTitlePassiveFont READ accordionTitlePassiveFont NOTIFY
                   accordionTitlePassiveFontChanged)
    Q_PROPERTY(QColor accordionItemDividerColor READ accordionItemDividerColor NOTIFY
                   accordionItemDividerColorChanged)
    Q_PROPERTY(QColor accordionItemActiveColor READ accordionItemActiveColor NOTIFY
                   accordionItemActiveColorChanged)
    Q_PROPERTY(QColor sliderTickerColor READ sliderTickerColor NOTIFY sliderTickerColorChanged)
    Q_PROPERTY(QColor sliderButtonColorPressed READ sliderButtonColorPressed NOTIFY
                   sliderButtonColorPressedChanged)

public:
    enum Theme {
        DEFAULT_THEME = 0,
        ORA_THEME = 1,
        LOUNGE_THEME = 2,
        US_VERSION_THEME = 3,
        CUSTOM_THEME = 4,
    };
    Q_ENUM(Theme)

    static StylingController* getInstance();

    // Start-up entry point: select the theme, write the built-in defaults
    // when no style file exists yet, then load the values.
    void Initialize(Theme theme);

    Q_INVOKABLE void setTheme(StylingController::Theme theme);
    void initializeValues();
    void writeDefaultStyleSettings();

    Theme theme() const { return m_theme; }
    QString iconSet() const { return m_iconSet; }
    QColor backgroundColorGrid() const { return m_backgroundColorGrid; }
    QColor backgroundColorPsm() const { return m_backgroundColorPsm; }
    QColor backgroundFontColor() const { return m_backgroundFontColor; }
    QString font1() const { return m_font1; }
    QString font1Light() const { return m_font1Light; }
    QColor backButtonColorPsm() const { return m_backButtonColorPsm; }
    QColor borderButtonActiveStartColor() const { return m_borderButtonActiveStartColor; }
    QColor borderButtonActiveEndColor() const { return m_borderButtonActiveEndColor; }
    QColor borderButtonPassiveStartColor() const { return m_borderButtonPassiveStartColor; }
    QColor borderButtonPassiveEndColor() const { return m_borderButtonPassiveEndColor; }
    QColor borderButtonBorderStartColor() const { return m_borderButtonBorderStartColor; }
    QColor borderButtonBorderEndColor() const { return m_borderButtonBorderEndColor; }
    int borderButtonBorderWidth() const { return m_borderButtonBorderWidth; }
    int borderButtonRadius() const { return m_borderButtonRadius; }
    QColor borderButtonFontColor() const { return m_borderButtonFontColor; }
    QColor buttonActiveColor() const { return m_buttonActiveColor; }
    QColor buttonBorderColor() const { return m_buttonBorderColor; }
    int buttonBorderWidth() const { return m_buttonBorderWidth; }
    int buttonRadius() const { return m_buttonRadius; }
    QColor buttonFontColor() const { return m_buttonFontColor; }
    QColor grayOutEffektColor() const { return m_grayOutEffektColor; }
    QColor sliderBackgroundStartColor() const { return m_sliderBackgroundStartColor; }
    QColor sliderBackgroundEndColor() const { return m_sliderBackgroundEndColor; }
    int sliderBackgroundRadius() const { return m_sliderBackgroundRadius; }
    QColor sliderButtonStartColor() const { return m_sliderButtonStartColor; }
    QColor sliderButtonBorderColor() const { return m_sliderButtonBorderColor; }
    int sliderButtonBorderWidth() const { return m_sliderButtonBorderWidth; }
    QColor sliderButtonEndColor() const { return m_sliderButtonEndColor; }
    int sliderButtonRadius() const { return m_sliderButtonRadius; }
    QColor sliderFontColor() const { return m_sliderFontColor; }
    QColor sliderCenterColorActive() const { return m_sliderCenterColorActive; }
    QColor sliderCenterColorInactive() const { return m_sliderCenterColorInactive; }
    QColor headerBackgroundColorStart() const { return m_headerBackgroundColorStart; }
    QColor headerBackgroundColorEnd() const { return m_headerBackgroundColorEnd; }
    QColor popupHeaderBackgroundColorStart() const { return m_popupHeaderBackgroundColorStart; }
    QColor popupHeaderBackgroundColorEnd() const { return m_popupHeaderBackgroundColorEnd; }
    QColor sliderControlColor() const { return m_sliderControlColor; }
    QColor sliderBorderColor() const { return m_sliderBorderColor; }
    QColor toggleButtonColorActive() const { return m_toggleButtonColorActive; }
    QColor toggleButtonColorInactive() const { return m_toggleButtonColorInactive; }
    QColor toggleButtonBorderColor() const { return m_toggleButtonBorderColor; }
    QColor toggleButtonControlColorActive() const { return m_toggleButtonControlColorActive; }
    QColor toggleButtonControlColorInactive() const { return m_toggleButtonControlColorInactive; }
    int toggleButtonRadius() const { return m_toggleButtonRadius; }
    QColor buttonColor() const { return m_buttonColor; }
    QColor buttonColorPsm() const { return m_buttonColorPsm; }
    QColor buttonColorPressed() const { return m_buttonColorPressed; }
    QColor buttonTextColor() const { return m_buttonTextColor; }
    QColor textColor1() const { return m_textColor1; }
    QColor textColor2() const { return m_textColor2; }
    QColor textColor3() const { return m_textColor3; }
    QColor textColorSelectedListItemPsm() const { return m_textColorSelectedListItemPsm; }
    QColor buttonShadowColor() const { return m_buttonShadowColor; }
    QColor checkMarkColor() const { return m_checkMarkColor; }
    QColor sliderButtonColor() const { return m_sliderButtonColor; }
    QColor specialButtonColor() const { return m_specialButtonColor; }
    QColor tabBarColorActive() const { return m_tabBarColorActive; }
    QColor tabBarColorInactive() const { return m_tabBarColorInactive; }
    QColor topBarBackgroundColorPsm() const { return m_topBarBackgroundColorPsm; }
    QColor navButtonColorPsm() const { return m_navButtonColorPsm; }
    QColor navButtonColorSelectedStartPsm() const { return m_navButtonColorSelectedStartPsm; }
    QColor navButtonColorSelectedEndPsm() const { return m_navButtonColorSelectedEndPsm; }
    QColor verticalScrollbarSliderColorPsm() const { return m_verticalScrollbarSliderColorPsm; }
    QColor listItemBackgroundColorPsm() const { return m_listItemBackgroundColorPsm; }
    QColor mediaListItemBackgroundColorPsm() const { return m_mediaListItemBackgroundColorPsm; }
    QColor mainMenuButtonColor() const { return m_mainMenuButtonColor; }
    QColor accordionTitleActiveBg() const { return m_accordionTitleActiveBg; }
    QColor accordionTitlePassiveBg() const { return m_accordionTitlePassiveBg; }
    QColor accordionTitleActiveFont() const { return m_accordionTitleActiveFont; }
    QColor accordionTitlePassiveFont() const { return m_accordionTitlePassiveFont; }
    QColor accordionItemDividerColor() const { return m_accordionItemDividerColor; }
    QColor accordionItemActiveColor() const { return m_accordionItemActiveColor; }
    QColor sliderTickerColor() const { return m_sliderTickerColor; }
    QColor sliderButtonColorPressed() const { return m_sliderButtonColorPressed; }

    // Setters compare first: an equal value changes nothing and emits nothing.
    void setIconSet(const QString& iconSet);
    void setBackgroundColorGrid(const QColor& backgroundColorGrid);
    void setBackgroundColorPsm(const QColor& backgroundColorPsm);
    void setBackgroundFontColor(const QColor& backgroundFontColor);
    void setFont1(const QString& font1);
    void setFont1Light(const QString& font1Light);
    void setBackButtonColorPsm(const QColor& backButtonColorPsm);
    void setBorderButtonActiveStartColor(const QColor& borderButtonActiveStartColor);
    void setBorderButtonActiveEndColor(const QColor& borderButtonActiveEndColor);
    void setBorderButtonPassiveStartColor(const QColor& borderButtonPassiveStartColor);
    void setBorderButtonPassiveEndColor(const QColor& borderButtonPassiveEndColor);
    void setBorderButtonBorderStartColor(const QColor& borderButtonBorderStartColor);
    void setBorderButtonBorderEndColor(const QColor& borderButtonBorderEndColor);
    void setBorderButtonBorderWidth(int borderButtonBorderWidth);
    void setBorderButtonRadius(int borderButtonRadius);
    void setBorderButtonFontColor(const QColor& borderButtonFontColor);
    void setButtonActiveColor(const QColor& buttonActiveColor);
    void setButtonBorderColor(const QColor& buttonBorderColor);
    void setButtonBorderWidth(int buttonBorderWidth);
    void setButtonRadius(int buttonRadius);
    void setButtonFontColor(const QColor& buttonFontColor);
    void setGrayOutEffektColor(const QColor& grayOutEffektColor);
    void setSliderBackgroundStartColor(const QColor& sliderBackgroundStartColor);
    void setSliderBackgroundEndColor(const QColor& sliderBackgroundEndColor);
    void setSliderBackgroundRadius(int sliderBackgroundRadius);
    void setSliderButtonStartColor(const QColor& sliderButtonStartColor);
    void setSliderButtonBorderColor(const QColor& sliderButtonBorderColor);
    void setSliderButtonBorderWidth(int sliderButtonBorderWidth);
    void setSliderButtonEndColor(const QColor& sliderButtonEndColor);
    void setSliderButtonRadius(int sliderButtonRadius);
    void setSliderFontColor(const QColor& sliderFontColor);
    void setSliderCenterColorActive(const QColor& sliderCenterColorActive);
    void setSliderCenterColorInactive(const QColor& sliderCenterColorInactive);
    void setHeaderBackgroundColorStart(const QColor& headerBackgroundColorStart);
    void setHeaderBackgroundColorEnd(const QColor& headerBackgroundColorEnd);
    void setPopupHeaderBackgroundColorStart(const QColor& popupHeaderBackgroundColorStart);
    void setPopupHeaderBackgroundColorEnd(const QColor& popupHeaderBackgroundColorEnd);
    void setSliderControlColor(const QColor& sliderControlColor);
    void setSliderBorderColor(const QColor& sliderBorderColor);
    void setToggleButtonColorActive(const QColor& toggleButtonColorActive);
    void setToggleButtonColorInactive(const QColor& toggleButtonColorInactive);
    void setToggleButtonBorderColor(const QColor& toggleButtonBorderColor);
    void setToggleButtonControlColorActive(const QColor& toggleButtonControlColorActive);
    void setToggleButtonControlColorInactive(const QColor& toggleButtonControlColorInactive);
    void setToggleButtonRadius(int toggleButtonRadius);
    void setButtonColor(const QColor& buttonColor);
    void setButtonColorPsm(const QColor& buttonColorPsm);
    void setButtonColorPressed(const QColor& buttonColorPressed);
    void setButtonTextColor(const QColor& buttonTextColor);
    void setTextColor1(const QColor& textColor1);
    void setTextColor2(const QColor& textColor2);
    void setTextColor3(const QColor& textColor3);
    void setTextColorSelectedListItemPsm(const QColor& textColorSelectedListItemPsm);
    void setButtonShadowColor(const QColor& buttonShadowColor);
    void setCheckmarkColor(const QColor& checkMarkColor);
    void setSliderButtonColor(const QColor& sliderButtonColor);
    void setSpecialButtonColor(const QColor& specialButtonColor);
    void setTabBarColorActive(const QColor& tabBarColorActive);
    void setTabBarColorInactive(const QColor& tabBarColorInactive);
    void setTopBarBackgroundColorPsm(const QColor& topBarBackgroundColorPsm);
    void setNavButtonColorPsm(const QColor& navButtonColorPsm);
    void setNavButtonColorSelectedStartPsm(const QColor& navButtonColorSelectedStartPsm);
    void setNavButtonColorSelectedEndPsm(const QColor& navButtonColorSelectedEndPsm);
    void setVerticalScrollbarSliderColorPsm(const QColor& verticalScrollbarSliderColorPsm);
    void setListItemBackgroundColorPsm(const QColor& listItemBackgroundColorPsm);
    void setMediaListItemBackgroundColorPsm(const QColor& mediaListItemBackgroundColorPsm);
    void setMainMenuButtonColor(const QColor& mainMenuButtonColor);
    void setAccordionTitleActiveBg(const QColor& accordionTitleActiveBg);
    void setAccordionTitlePassiveBg(const QColor& accordionTitlePassiveBg);
    void setAccordionTitleActiveFont(const QColor& accordionTitleActiveFont);
    void setAccordionTitlePassiveFont(const QColor& accordionTitlePassiveFont);
    void setAccordionItemDividerColor(const QColor& accordionItemDividerColor);
    void setAccordionItemActiveColor(const QColor& accordionItemActiveColor);
    void setSliderTickerColor(const QColor& sliderTickerColor);
    void setSliderButtonPressedColor(const QColor& sliderButtonColorPressed);

signals:
    void themeChanged(StylingController::Theme theme);
    void iconSetChanged();
    void backgroundColorGridChanged();
    void backgroundColorPsmChanged();
    void backgroundFontColorChanged();
    void font1Changed();
    void font1LightChanged();
    void backButtonColorPsmChanged();
    void borderButtonActiveStartColorChanged();
    void borderButtonActiveEndColorChanged();
    void borderButtonPassiveStartColorChanged();
    void borderButtonPassiveEndColorChanged();
    void borderButtonBorderStartColorChanged();
    void borderButtonBorderEndColorChanged();
    void borderButtonBorderWidthChanged();
    void borderButtonRadiusChanged();
    void borderButtonFontColorChanged();
    void buttonActiveColorChanged();
    void buttonBorderColorChanged();
    void buttonBorderWidthChanged();
    void buttonRadiusChanged();
    void buttonFontColorChanged();
    void grayOutEffektColorChanged();
    void sliderBackgroundStartColorChanged();
    void sliderBackgroundEndColorChanged();
    void sliderBackgroundRadiusChanged();
    void sliderButtonStartColorChanged();
    void sliderButtonBorderColorChanged();
    void sliderButtonBorderWidthChanged();
    void sliderButtonEndColorChanged();
    void sliderButtonRadiusChanged();
    void sliderFontColorChanged();
    void sliderCenterColorActiveChanged();
    void sliderCenterColorInactiveChanged();
    void headerBackgroundColorStartChanged();
    void headerBackgroundColorEndChanged();
    void popupHeaderBackgroundColorStartChanged();
    void popupHeaderBackgroundColorEndChanged();
    void sliderControlColorChanged();
    void sliderBorderColorChanged();
    void toggleButtonColorActiveChanged();
    void toggleButtonColorInactiveChanged();
    void toggleButtonBorderColorChanged();
    void toggleButtonControlColorActiveChanged();
    void toggleButtonControlColorInactiveChanged();
    void toggleButtonRadiusChanged();
    void buttonColorChanged();
    void buttonColorPsmChanged();
    void buttonColorPressedChanged();
    void buttonTextColorChanged();
    void textColor1Changed();
    void textColor2Changed();
    void textColor3Changed();
    void textColorSelectedListItemPsmChanged();
    void buttonShadowColorChanged();
    void checkMarkColorChanged();
    void sliderButtonColorChanged();
    void specialButtonColorChanged();
    void tabBarColorActiveChanged();
    void tabBarColorInactiveChanged();
    void topBarBackgroundColorPsmChanged();
    void navButtonColorPsmChanged();
    void navButtonColorSelectedStartPsmChanged();
    void navButtonColorSelectedEndPsmChanged();
    void verticalScrollbarSliderColorPsmChanged();
    void listItemBackgroundColorPsmChanged();
    void mediaListItemBackgroundColorPsmChanged();
    void mainMenubuttonColorChanged();
    void accordionTitleActiveBgChanged();
    void accordionTitlePassiveBgChanged();
    void accordionTitleActiveFontChanged();
    void accordionTitlePassiveFontChanged();
    void accordionItemDividerColorChanged();
    void accordionItemActiveColorChanged();
    void sliderTickerColorChanged();
    void sliderButtonColorPressedChanged();
    void styleChanged();

private slots:
    void onThemeChanged();

private:
    StylingController();
    Q_DISABLE_COPY(StylingController)

    Theme m_theme = DEFAULT_THEME;
    QString m_iconSet;
    QColor m_backgroundColorGrid;
    QColor m_backgroundColorPsm;
    QColor m_backgroundFontColor;
    QString m_font1;
    QString m_font1Light;
    QColor m_backButtonColorPsm;
    QColor m_borderButtonActiveStartColor;
    QColor m_borderButtonActiveEndColor;
    QColor m_borderButtonPassiveStartColor;
    QColor m_borderButtonPassiveEndColor;
    QColor m_borderButtonBorderStartColor;
    QColor m_borderButtonBorderEndColor;
    int m_borderButtonBorderWidth = 0;
    int m_borderButtonRadius = 0;
    QColor m_borderButtonFontColor;
    QColor m_buttonActiveColor;
    QColor m_buttonBorderColor;
    int m_buttonBorderWidth = 0;
    int m_buttonRadius = 0;
    QColor m_buttonFontColor;
    QColor m_grayOutEffektColor;
    QColor m_sliderBackgroundStartColor;
    QColor m_sliderBackgroundEndColor;
    int m_sliderBackgroundRadius = 0;
    QColor m_sliderButtonStartColor;
    QColor m_sliderButtonBorderColor;
    int m_sliderButtonBorderWidth = 0;
    QColor m_sliderButtonEndColor;
    int m_sliderButtonRadius = 0;
    QColor m_sliderFontColor;
    QColor m_sliderCenterColorActive;
    QColor m_sliderCenterColorInactive;
    QColor m_headerBackgroundColorStart;
    QColor m_headerBackgroundColorEnd;
    QColor m_popupHeaderBackgroundColorStart;
    QColor m_popupHeaderBackgroundColorEnd;
    QColor m_sliderControlColor;
    QColor m_sliderBorderColor;
    QColor m_toggleButtonColorActive;
    QColor m_toggleButtonColorInactive;
    QColor m_toggleButtonBorderColor;
    QColor m_toggleButtonControlColorActive;
    QColor m_toggleButtonControlColorInactive;
    int m_toggleButtonRadius = 0;
    QColor m_buttonColor;
    QColor m_buttonColorPsm;
    QColor m_buttonColorPressed;
    QColor m_buttonTextColor;
    QColor m_textColor1;
    QColor m_textColor2;
    QColor m_textColor3;
    QColor m_textColorSelectedListItemPsm;
    QColor m_buttonShadowColor;
    QColor m_checkMarkColor;
    QColor m_sliderButtonColor;
    QColor m_specialButtonColor;
    QColor m_tabBarColorActive;
    QColor m_tabBarColorInactive;
    QColor m_topBarBackgroundColorPsm;
    QColor m_navButtonColorPsm;
    QColor m_navButtonColorSelectedStartPsm;
    QColor m_navButtonColorSelectedEndPsm;
    QColor m_verticalScrollbarSliderColorPsm;
    QColor m_listItemBackgroundColorPsm;
    QColor m_mediaListItemBackgroundColorPsm;
    QColor m_mainMenuButtonColor;
    QColor m_accordionTitleActiveBg;
    QColor m_accordionTitlePassiveBg;
    QColor m_accordionTitleActiveFont;
    QColor m_accordionTitlePassiveFont;
    QColor m_accordionItemDividerColor;
    QColor m_accordionItemActiveColor;
    QColor m_sliderTickerColor;
    QColor m_sliderButtonColorPressed;
};

} // namespace VantoUi
