import QtQuick 2.15
import Ambrel 1.0

// Sends one command to the UPS at once.
MainPanelControlForm {
    id: page

    btnSure.onClicked: {
        if (radioBuzzer.checked)
            DevComm.setBuzzer()
        else if (radioCloseOutput.checked)
            DevComm.setShutdown(true, spinCloseMinutes.value)
        else if (radioCancelClose.checked)
            DevComm.setShutdown(false, 0)
        else if (radioSelfTest10S.checked)
            DevComm.setSelfTest(GlobalDataDef.SelfTest10S, 0)
        else if (radioSelfTestEOD.checked)
            DevComm.setSelfTest(GlobalDataDef.SelfTestEOD, 0)
        else if (radioSelfTestCancel.checked)
            DevComm.setSelfTest(GlobalDataDef.SelfTestCancel, 0)
        else if (radioSelfTestCustom.checked)
            DevComm.setSelfTest(GlobalDataDef.SelfTestCustom, spinSelfTestMinutes.value)
        orderIssued.open()
    }

    MsgDialog {
        id: orderIssued
        objectName: "msgOrderIssued"
        imageType: GlobalDataDef.MsgDialogInformation
        buttons: GlobalDataDef.MsgDialogButtonSure
        textMsg: qsTr("Order has been issued!")
    }
}
