// A year of rain in Qt Quick: the chart and a table of the same ListModel
// side by side, and a theme switch. Edit a value in the table, and the bar
// follows.
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import PalvexChart

ApplicationWindow {
    id: window
    width: 900
    height: 420
    visible: true
    title: "Rainfall"

    ListModel {
        id: months
        ListElement { itemId: "1"; caption: "Jan"; description: "January"; value: 78.2 }
        ListElement { itemId: "2"; caption: "Feb"; description: "February"; value: 64.5 }
        ListElement { itemId: "3"; caption: "Mar"; description: "March"; value: 59.1 }
        ListElement { itemId: "4"; caption: "Apr"; description: "April"; value: 47.3 }
        ListElement { itemId: "5"; caption: "May"; description: "May"; value: 55.0 }
        ListElement { itemId: "6"; caption: "Jun"; description: "June"; value: 68.4 }
        ListElement { itemId: "7"; caption: "Jul"; description: "July"; value: 81.9 }
        ListElement { itemId: "8"; caption: "Aug"; description: "August"; value: 90.6 }
        ListElement { itemId: "9"; caption: "Sep"; description: "September"; value: 62.7 }
        ListElement { itemId: "10"; caption: "Oct"; description: "October"; value: 70.1 }
        ListElement { itemId: "11"; caption: "Nov"; description: "November"; value: 83.5 }
        ListElement { itemId: "12"; caption: "Dec"; description: "December"; value: 88.0 }
    }

    header: ToolBar {
        RowLayout {
            anchors.fill: parent
            Label { text: "Theme"; leftPadding: 8 }
            ComboBox {
                id: themes
                objectName: "themes"
                model: ["Persian Gulf", "Sky", "Neon", "Normal", "Palette"]
                onActivated: (index) => chart.theme = index
            }
            Label { id: status; objectName: "status"; Layout.fillWidth: true; leftPadding: 8 }
        }
    }

    RowLayout {
        anchors.fill: parent
        PalvexChart {
            id: chart
            objectName: "chart"
            Layout.fillWidth: true
            Layout.fillHeight: true
            chartTitle: "Rainfall 2026"
            axisLabelX: "Month"
            valueSuffix: " mm"
            valueDecimals: 1
            selectable: true
            model: months
            onItemClicked: (column, item) => status.text = item.description + ": " + item.value + " mm"
        }
        ListView {
            Layout.preferredWidth: 220
            Layout.fillHeight: true
            clip: true
            model: months
            delegate: RowLayout {
                width: ListView.view.width
                Label { text: model.description; Layout.fillWidth: true; leftPadding: 8 }
                SpinBox {
                    from: 0; to: 2000; editable: true
                    value: Math.round(model.value)
                    onValueModified: months.setProperty(index, "value", value)
                }
            }
        }
    }
}
