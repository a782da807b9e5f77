import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls 1.4 as C1
import Ambrel 1.0

// A date field: shows its date as "yyyy-MM-dd"; a click opens a calendar
// below it, which names months and days in the language of the texts, and
// picking a day sets the date and closes the calendar.
Button {
    id: field

    property date date: new Date()
    readonly property string dateText: date.toLocaleDateString(Qt.locale("en_GB"), "yyyy-MM-dd")

    implicitWidth: 130
    text: dateText
    onClicked: calendarPopup.visible ? calendarPopup.close() : calendarPopup.open()

    Popup {
        id: calendarPopup
        objectName: "calendarPopup"
        y: field.height + 2
        padding: 1
        contentWidth: 280
        contentHeight: 250
        // A press on the field itself is left to its click, which closes the
        // calendar: closing on that press too would let the click reopen it.
        closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutsideParent
        onAboutToShow: calendar.selectedDate = field.date

        C1.Calendar {
            id: calendar
            objectName: "calendar"
            anchors.fill: parent
            locale: Qt.locale(Translator.localeName)
            onClicked: {
                field.date = date
                calendarPopup.close()
            }
        }
    }
}
