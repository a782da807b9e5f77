import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15

// The settings page: a list of its three sub-pages on the left.
Item {
    id: page

    property int currentPage: 0

    // Finishes the editing of a field on the page left (see main.qml).
    onCurrentPageChanged: forceActiveFocus()

    // Each text is a plain qsTr binding of its own, which a language change
    // renews; expressions built from them follow.
    property string textCommon: qsTr("Common Parameters")
    property string textEMail: qsTr("E-Mail")
    property string textShutdown: qsTr("Shutdown")

    RowLayout {
        anchors.fill: parent
        anchors.margins: 16
        spacing: 12

        Rectangle {
            Layout.preferredWidth: 180
            Layout.fillHeight: true
            border.color: "#D5DAE3"

            Column {
                anchors.fill: parent
                anchors.margins: 1
                Repeater {
                    model: [page.textCommon, page.textEMail, page.textShutdown]
                    delegate: ItemDelegate {
                        objectName: "settingsPageItem" + index
                        width: parent.width
                        height: 52
                        text: modelData
                        highlighted: page.currentPage === index
                        onClicked: page.currentPage = index
                        contentItem: Label {
                            text: parent.text
                            font.bold: parent.highlighted
                            color: parent.highlighted ? "#117BEC" : "black"
                            wrapMode: Text.WordWrap
                            verticalAlignment: Text.AlignVCenter
                        }
                    }
                }
            }
        }

        StackLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            currentIndex: page.currentPage

            SettingsCommon { objectName: "settingsCommon" }
            SettingsEMail { objectName: "settingsEMail" }
            SettingsShutdown { objectName: "settingsShutdown" }
        }
    }
}
