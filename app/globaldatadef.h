#ifndef GLOBALDATADEF_H
#define GLOBALDATADEF_H

#include <QObject>

// Enumerations of the user interface, published to QML as GlobalDataDef.
class GlobalDataDef : public QObject
{
    Q_OBJECT

public:
    // Main pages and their footer buttons.
    enum MainTabType {
        MainTabDevice = 0,
        MainTabLogWork = 1,
        MainTabControl = 2,
        MainTabSetting = 3,
        MainTabLogData = 4
    };
    Q_ENUM(MainTabType)

    // The type argument of DevComm::setSelfTest.
    enum SelfTestType {
        SelfTestCancel = 1,
        SelfTest10S = 2,
        SelfTestEOD = 3,
        SelfTestCustom = 4
    };
    Q_ENUM(SelfTestType)

    enum MsgDialogType {
        MsgDialogNoIcon = 0,
        MsgDialogInformation = 1,
        MsgDialogQuestion = 2,
        MsgDialogWarning = 3
    };
    Q_ENUM(MsgDialogType)

    // Single bits: buttons may be added together.
    enum MsgDialogButtons {
        MsgDialogButtonSure = 1,
        MsgDialogButtonCancel = 2
    };
    Q_ENUM(MsgDialogButtons)

    enum ImageButtonTextDirection {
        North = 0,
        South = 1,
        East = 2,
        West = 3
    };
    Q_ENUM(ImageButtonTextDirection)

    explicit GlobalDataDef(QObject *parent = nullptr) : QObject(parent) {}
};

#endif // GLOBALDATADEF_H
