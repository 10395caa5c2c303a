// The QML type from the module: properties, items from arrays and models,
// a click and the keys, as a QML application uses them.
import QtQuick
import QtTest
import PalvexChart

Item {
    id: root
    width: 560
    height: 372

    ListModel {
        id: months
        ListElement { itemId: "1"; description: "January rain"; caption: "Jan"; value: 40 }
        ListElement { itemId: "2"; description: "February rain"; caption: "Feb"; value: 70 }
    }

    PalvexChart {
        id: chart
        anchors.fill: parent
        animated: false
    }

    // A window shortcut on a key the focused chart uses: the chart's first.
    Shortcut { id: windowLeft; sequence: "Left"; property int used: 0; onActivated: used++ }

    SignalSpy { id: clicked; target: chart; signalName: "itemClicked" }
    SignalSpy { id: refused; target: chart; signalName: "errorOccurred" }
    SignalSpy { id: changes; target: chart }

    TestCase {
        name: "PalvexChart"
        when: windowShown

        function init() {
            chart.model = null
            chart.captionRole = "caption"
            chart.itemIdRole = "itemId"
            chart.items = []
            chart.selectable = false
            chart.selectedColumn = -1
            chart.chartTitle = ""
            clicked.clear()
            refused.clear()
        }

        // Each property takes a new value, reads it back and notifies once;
        // the same value again, or a later call, notifies nothing.
        function test_properties_round_trip_and_notify_once_data() {
            return [
                { tag: "chartTitle", value: "Rainfall" },
                { tag: "axisLabelY", value: "mm" },
                { tag: "theme", value: PalvexChart.Sky },
                { tag: "backColor", value: Qt.color("#123456") },
                { tag: "marginLeft", value: 60 },
                { tag: "selectable", value: true },
                { tag: "hotTracking", value: true },
                { tag: "colorBars", value: true },
                { tag: "legendVisible", value: true },
                { tag: "maxY", value: 500 },
                { tag: "valueSuffix", value: " mm" },
                { tag: "valueDecimals", value: 2 },
                { tag: "animated", value: true },
                { tag: "titleFont", value: Qt.font({ family: "DejaVu Serif", pointSize: 14 }) },
                { tag: "captionRole", value: "label" },
                { tag: "itemIdRole", value: "id" },
                { tag: "model", value: months },
            ]
        }
        function test_properties_round_trip_and_notify_once(data) {
            changes.clear()
            changes.signalName = data.tag + "Changed"
            chart[data.tag] = data.value
            compare(chart[data.tag], data.value)
            compare(changes.count, 1)
            chart[data.tag] = data.value
            compare(changes.count, 1)
            chart.refresh()
            compare(changes.count, 1)
        }

        // Screen readers hear a chart named by its title, unless the
        // program named or described it for them.
        function test_accessible_role_and_name() {
            chart.chartTitle = "Rainfall"
            compare(chart.Accessible.role, Accessible.Chart)
            compare(chart.Accessible.name, "Rainfall")
            const named = Qt.createQmlObject(
                'import QtQuick; import PalvexChart; PalvexChart { chartTitle: "Rainfall"; '
                + 'Accessible.name: "Monthly rain"; Accessible.description: "mm" }', root)
            compare(named.Accessible.name, "Monthly rain")
            named.chartTitle = "Snow"
            named.chartSubTitle = "2027"
            compare(named.Accessible.name, "Monthly rain")
            compare(named.Accessible.description, "mm")
            named.Accessible.name = ""
            named.chartTitle = "Hail"
            compare(named.Accessible.name, "Hail")
            named.destroy()
        }

        // Under Normal a chart's text takes the palette's colour until the
        // program gives one: never white on white.
        function test_normal_text_reads_on_the_back_colour() {
            chart.backColor = "white"
            chart.theme = PalvexChart.Normal
            verify(!Qt.colorEqual(chart.foreColor, "white"), chart.foreColor)
            chart.backColor = "black"
            verify(!Qt.colorEqual(chart.foreColor, "black"), chart.foreColor)
            chart.backColor = "white"
            chart.foreColor = "darkgreen"
            chart.theme = PalvexChart.Sky
            chart.theme = PalvexChart.Normal
            compare(chart.foreColor, Qt.color("black"))  // Sky's own text colour stays
            chart.theme = PalvexChart.PersianGulf
        }

        function test_bar_colors_from_a_javascript_array() {
            chart.barColors = ["red", "#2040c0"]
            compare(chart.barColors.length, 2)
            compare(chart.barColors[1], Qt.color("#2040c0"))
            chart.barColors = []
        }

        function test_a_refused_value_changes_nothing() {
            chart.marginLeft = 30
            chart.marginLeft = -1
            compare(chart.marginLeft, 30)
            compare(refused.count, 1)
            compare(refused.signalArguments[0][0], 380)
            verify(chart.lastErrorString().startsWith("marginLeft: "))
            verify(!chart.addItem({ itemId: "1", caption: "x", value: "tall" }))
            compare(chart.count, 0)
        }

        // As in the widget: an endless number changes nothing and is
        // reported as an invalid value.
        function test_an_endless_number_is_refused_data() {
            return [
                { tag: "intersectMinor NaN", name: "intersectMinor", value: NaN },
                { tag: "intersectMinor Infinity", name: "intersectMinor", value: Infinity },
                { tag: "intersectMajor -Infinity", name: "intersectMajor", value: -Infinity },
                { tag: "maxY NaN", name: "maxY", value: NaN },
            ]
        }
        function test_an_endless_number_is_refused(data) {
            var before = chart[data.name]
            chart[data.name] = data.value
            compare(chart[data.name], before)
            compare(refused.count, 1)
            compare(refused.signalArguments[0][0], 380)
        }

        function test_items_from_an_array_and_addItem() {
            chart.items = [{ itemId: "1", caption: "Jan", description: "d", value: 42 },
                           { itemId: 2, caption: "Feb", value: 7.5 }]
            compare(chart.count, 2)
            compare(chart.items[1].itemId, "2")
            compare(chart.items[1].value, 7.5)
            verify(chart.addItem({ itemId: "3", caption: "Mar", value: 1 }))
            compare(chart.count, 3)
            // Saved as the widget saves, by path or file URL; a folder that
            // cannot be written is refused with the reason.
            verify(chart.save(Qt.resolvedUrl("file:///tmp/palvexchart-quick-test.png"), 2),
                   chart.lastErrorString())
            verify(!chart.save("/nonexistent-folder/chart.png"))
            verify(chart.lastErrorString().startsWith("save: "))
            chart.clear()
            compare(chart.count, 0)
        }

        // Each change of the model replaces the items once.
        function test_a_list_model_change_redraws_once() {
            changes.clear()
            changes.signalName = "itemsChanged"
            chart.model = months
            compare(chart.count, 2)
            compare(changes.count, 1)
            months.append({ itemId: "3", description: "March rain", caption: "Mar", value: 55 })
            compare(chart.count, 3)
            compare(changes.count, 2)
            months.setProperty(0, "value", 45)
            compare(chart.items[0].value, 45)
            compare(changes.count, 3)
            months.remove(2)
            compare(chart.count, 2)
            compare(changes.count, 4)
            // A missing value is no number: its bar stands at 0.
            months.setProperty(0, "value", NaN)
            compare(chart.items[0].value, 0)
            months.setProperty(0, "value", 45)
        }

        // A model destroyed while shown reads as null and says so; its
        // items stay, as after model = null.
        function test_a_destroyed_model_reads_as_null() {
            var model = Qt.createQmlObject(
                'import QtQml.Models; ListModel { ListElement { itemId: "1"; value: 10 } }', root)
            chart.model = model
            compare(chart.count, 1)
            changes.clear()
            changes.signalName = "modelChanged"
            model.destroy()
            tryCompare(changes, "count", 1)
            compare(chart.model, null)
            compare(chart.count, 1)
        }

        function test_a_click_selects_a_bar_and_the_keys_move_it() {
            chart.items = [{ itemId: "1", caption: "Jan", description: "January", value: 40 },
                           { itemId: "2", caption: "Feb", description: "February", value: 70 }]
            chart.selectable = true
            wait(50)
            // Inside the second bar, low in the plot.
            mouseClick(chart, 400, 300)
            compare(chart.selectedColumn, 1)
            compare(clicked.count, 1)
            compare(clicked.signalArguments[0][0], 1)
            compare(clicked.signalArguments[0][1].caption, "Feb")
            compare(clicked.signalArguments[0][1].value, 70)
            verify(chart.activeFocus)
            keyClick(Qt.Key_Left)
            compare(chart.selectedColumn, 0)
            compare(windowLeft.used, 0)
            keyClick(Qt.Key_End)
            compare(chart.selectedColumn, 1)
            keyClick(Qt.Key_Escape)
            compare(chart.selectedColumn, -1)
        }
    }
}
