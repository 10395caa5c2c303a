#include "script_host.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "control/palvex_chart.h"
#include "model/child_controls.h"
#include "platform/chart_error.h"
#include "platform/qt/headless_host.h"
#include "script_watchdog.h"

namespace palvex {
namespace {

class ScriptHostTest : public ::testing::Test {
 protected:
  // What a failing action threw: its number, or its number and message.
  ScriptHostTest() {
    script.Run(
        "function number(f) { try { f(); } catch (e) { return e.number; } }"
        "function failure(f) { try { f(); } catch (e) { return e.number + ' ' + e.message; } }");
  }

  // Runs a script that must end without an uncaught error.
  void Ok(const QString& source) {
    const ScriptOutcome o = script.Run(source);
    ASSERT_TRUE(o.ok) << o.message.toStdString() << " (line " << o.line << ")";
  }
  QString Last() const { return printed.isEmpty() ? QString() : printed.last(); }

  QStringList printed;
  ScriptHost script{[this](const QString& line) { printed << line; }};
};

TEST_F(ScriptHostTest, PropertiesAndMethodsAreLateBoundInAnyLetterCase) {
  Ok("chart.maxy = 50; chart.CHARTTITLE = 'Sales'; chart.contentBorder = false;"
     "print(chart.MaxY, chart.charttitle, chart.ContentBorder, typeof chart.Refresh);"
     "print(chart.GetYTopLegend(2765), chart.AddItem({ItemID: '1', Value: 5}));"
     "print('MaxY' in chart, 'Nothing' in chart);");
  ASSERT_EQ(printed.size(), 3);
  EXPECT_EQ(printed[0], "50 Sales false function");
  EXPECT_EQ(printed[1], "3000 false");
  EXPECT_EQ(printed[2], "true false");
  EXPECT_EQ(script.chart().ChartTitle(), u"Sales");
  EXPECT_FALSE(script.chart().ContentBorder());
}

TEST_F(ScriptHostTest, InvokeReachesMembersByDispId) {
  Ok("chart.invoke(0x68030007, 'put', 70);"
     "print(chart.invoke(0x68030007, 'get'), chart.invoke(0x60030040, 'CALL', 11));"
     "print(chart.invoke(0xfffffdd8, 'call'), chart.invoke(-552, 'call'));");
  EXPECT_EQ(printed[0], "70 15");
  EXPECT_EQ(printed[1], "undefined undefined");
  EXPECT_EQ(script.chart().MaxY(), 70);
}

TEST_F(ScriptHostTest, FailingCallsThrowErrorsCarryingTheirNumbers) {
  Ok("print(failure(() => { chart.MaxY = 'abc'; }));"
     "print(failure(() => chart.DrawIntersect(1, 2, 'x', 4)));"
     "print(failure(() => { chart.SelectedColumn = 3e9; }));"
     "print(failure(() => chart.Nothing));"
     "print(failure(() => chart.Refresh(1)));"
     "print(failure(() => chart.AddItem(undefined)));"
     "print(failure(() => { chart.Clear = 1; }));"
     "print(failure(() => chart.invoke(1, 'poke')));");
  ASSERT_EQ(printed.size(), 8);
  EXPECT_EQ(printed[0], "13 MaxY: Type mismatch");
  EXPECT_EQ(printed[1], "13 DrawIntersect: Type mismatch (argument 3)");
  EXPECT_EQ(printed[2], "6 SelectedColumn: Overflow");
  EXPECT_EQ(printed[3], "438 Object doesn't support this property or method: 'Nothing'");
  EXPECT_EQ(printed[4], "450 Refresh: Wrong number of arguments or invalid property assignment");
  EXPECT_EQ(printed[5], "449 AddItem: Argument not optional (argument 1)");
  EXPECT_EQ(printed[6], "438 Clear: Object doesn't support this property or method");
  EXPECT_TRUE(printed[7].startsWith("5 invoke:"));
  EXPECT_EQ(script.chart().MaxY(), 100);  // nothing half-written
}

TEST_F(ScriptHostTest, AnUncaughtErrorEndsTheScriptWithItsNumberAndLine) {
  const ScriptOutcome o = script.Run(
      "print('before');\nchart.AddItem({ItemID: 'north'});\n"
      "chart.Refresh();\nprint('after');");
  EXPECT_FALSE(o.ok);
  EXPECT_EQ(o.number, kErrTypeMismatch);
  EXPECT_EQ(o.message, "Refresh: Type mismatch");
  EXPECT_EQ(o.line, 3);
  EXPECT_EQ(printed, QStringList{"before"});

  const ScriptOutcome js = script.Run("\n\nundefinedFunction();");
  EXPECT_FALSE(js.ok);
  EXPECT_EQ(js.number, 0);
  EXPECT_TRUE(js.message.startsWith("ReferenceError")) << js.message.toStdString();
  EXPECT_EQ(js.line, 3);

  const ScriptOutcome thrown = script.Run("throw 'plain text';");
  EXPECT_FALSE(thrown.ok);
  EXPECT_EQ(thrown.message, "plain text");

  EXPECT_TRUE(script.Run("new Error('only a value')").ok);
}

TEST_F(ScriptHostTest, TheRecordCrossesInAndOutByValue) {
  Ok("const item = {ItemID: 1, SelectedDescription: 'North', XAxisDescription: 'Jan', Value: '12'};"
     "chart.AddItem(item);"
     "item.Value = 99; item.ItemID = '7';"
     "let seen;"
     "chart.on('ItemClick', (copy) => { seen = copy; copy.Value = -5; });"
     "chart.SelectedColumn = 0;"
     "seen.XAxisDescription = 'changed';"
     "print(JSON.stringify(seen));");
  ASSERT_EQ(script.chart().state().items().size(), 1u);
  EXPECT_EQ(script.chart().state().items()[0], (ChartItem{u"1", u"North", u"Jan", 12}));
  EXPECT_EQ(
      Last(),
      R"({"ItemID":"1","SelectedDescription":"North","XAxisDescription":"changed","Value":-5})");
}

TEST_F(ScriptHostTest, OnlyPlainObjectsWithTheRecordsFieldsAreItems) {
  Ok("print(failure(() => chart.AddItem({Valeu: 3})));"
     "print(failure(() => chart.AddItem([1, 2])));"
     "print(failure(() => chart.AddItem({Value: 'lots'})));"
     "print(failure(() => chart.AddItem({ItemID: '3', get Value() { throw new Error('no value'); "
     "}})));"
     "chart.AddItem({itemid: '2', value: 4});");
  EXPECT_EQ(printed[0], "13 AddItem: ChartItem has no field 'Valeu'");
  EXPECT_EQ(printed[1], "13 AddItem: Type mismatch");
  EXPECT_EQ(printed[2], "13 AddItem: Type mismatch");
  // A getter's own error, not an item without a value.
  EXPECT_EQ(printed[3], "undefined no value");
  ASSERT_EQ(script.chart().state().items().size(), 1u);
  EXPECT_EQ(script.chart().state().items()[0], (ChartItem{u"2", u"", u"", 4}));
}

TEST_F(ScriptHostTest, EventsReachEveryHandlerUntilItIsRemoved) {
  Ok("const log = [];"
     "const a = chart.on('MouseUp', (b, s, x, y) => log.push('a' + b + s + x + y));"
     "const b = chart.on('MOUSEUP', (b) => log.push('b' + b));"
     "host.mouseUp(2, 1, 30, 45);"
     "print(chart.off(a), chart.off(a));"
     "host.mouseUp(1, 0, 0, 0);"
     "chart.off(b);"
     "host.mouseUp(1, 0, 0, 0);"
     "print(log.join());");
  EXPECT_EQ(printed[0], "true false");
  EXPECT_EQ(printed[1], "a213045,b2,b1");
  EXPECT_EQ(script.chart().state().events.size(), 0u);
}

TEST_F(ScriptHostTest, AHandlersErrorReachesTheScriptAfterTheCallThatRaisedIt) {
  const ScriptOutcome o = script.Run(
      "chart.AddItem({ItemID: '1', Value: 3});\n"
      "chart.on('ItemClick', () => { throw new Error('handler failed'); });\n"
      "try { chart.SelectedColumn = 0; } catch (e) { print('caught', e.message); }\n"
      "chart.on('MouseDown', () => { null.boom; });\n"
      "host.mouseDown(4, 0, 1, 1);");
  EXPECT_EQ(printed, QStringList{"caught handler failed"});
  EXPECT_EQ(script.chart().SelectedColumn(), 0);  // the selection itself went through
  EXPECT_FALSE(o.ok);
  EXPECT_TRUE(o.message.startsWith("TypeError")) << o.message.toStdString();
  EXPECT_EQ(o.line, 4);
}

TEST_F(ScriptHostTest, EventNamesAndHandlersAreChecked) {
  Ok("print(number(() => chart.on('Click', () => 0)), number(() => chart.on('ItemClick', 5)));");
  EXPECT_EQ(Last(), "5 13");
}

TEST_F(ScriptHostTest, TheHostResizesAndSavesThePicture) {
  QTemporaryDir dir;
  const QString path = dir.filePath("chart.png");
  Ok(QStringLiteral("host.resize(320, 240); chart.AddItem({ItemID: '1', Value: 3});"
                    "chart.Refresh(); host.saveImage('%1');")
         .arg(path));
  const QImage saved(path);
  EXPECT_EQ(saved.size(), QSize(320, 240));
  EXPECT_EQ(script.chart().state().surface->ScaleWidth(), 320 * 15);

  Ok(QStringLiteral(
         "print(number(() => host.resize(0, 10)), number(() => host.resize(10, 'wide')),"
         "number(() => host.resize(20000, 10)), number(() => host.saveImage('%1/no/such/x.png')),"
         "number(() => host.saveImage('')), number(() => host.saveImage('%1/nul\\u0000.png')),"
         "number(() => host.saveImage('%1/chart.gif')));")
         .arg(dir.path()));
  EXPECT_EQ(Last(), "5 13 5 75 52 75 52");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"chart.png"});
  EXPECT_EQ(script.chart().state().surface->PixelWidth(), 320);
}

// A fuzzer's scripts run confined: no file written anywhere, no picture
// larger than the bound, and an endless loop ends when interrupted.
TEST_F(ScriptHostTest, AConfinedHostWritesNoFilesAndCanBeInterrupted) {
  QTemporaryDir dir;
  const QString path = dir.filePath("chart.png");
  script.Confine(300);
  Ok(QStringLiteral("print(number(() => host.saveImage('%1')), number(() => host.resize(301, 10)));"
                    "host.resize(300, 300);")
         .arg(path));
  EXPECT_EQ(Last(), "75 5");
  EXPECT_FALSE(QFile::exists(path));
  script.Interrupt();
  EXPECT_FALSE(script.Run("for (;;) chart.Refresh();").ok);
}

// The watchdog stops a script wherever it is, also inside the proxy that
// resolves `chart`'s names; compiled by Qt 6.4's JIT, such a script
// crashed there in about one run of three.
TEST(ScriptWatchdog, StopsAScriptCallingTheControlWithoutCrashing) {
  for (int run = 0; run < 24; ++run) {
    ScriptHost script([](const QString&) {});
    const ScriptWatchdog watchdog(script, std::chrono::milliseconds(10 + run % 5));
    EXPECT_FALSE(
        script.Run("for (let i = 0; ; i++) chart.AddItem({ItemID: String(i), Value: i});").ok);
    EXPECT_TRUE(watchdog.fired());
  }
}

TEST_F(ScriptHostTest, ChildControlsAndMenusReadBackByName) {
  Ok("const legend = host.control('picLegend');"
     "print(legend.Left, legend.Width, legend.Visible, legend.BackColor);"
     "const entry = host.control('lblDescription', 0);"
     "print(entry.Caption, entry.AutoSize, entry.Index);"
     "print(host.control('mnuSelectionInfo').Checked, host.control('tmrStart').Interval);"
     "try { host.control('lblDescription', 3); } catch (e) { print(e.number, e.message); }"
     // Entries far out of view are made when a script asks for them.
     "for (let i = 0; i < 100; i++) chart.AddItem({ItemID: '1', SelectedDescription: 'd' + i});"
     "host.show(); host.tick(); chart.Refresh();"
     "print(host.control('Box', 90).Top, host.control('lblDescription', 95).Caption);");
  ASSERT_EQ(printed.size(), 5);
  EXPECT_EQ(printed[0], "3360 2250 true 15791605");
  EXPECT_EQ(printed[1], "Description true 0");
  EXPECT_EQ(printed[2], "true 100");
  EXPECT_EQ(printed[3], "9 host.control: no control lblDescription(3)");
  EXPECT_EQ(printed[4], "35235 d95");  // 135 twips and 90 entries of 390 down
}

TEST_F(ScriptHostTest, MenuAnswersAreQueuedForTheNextPopUp) {
  Ok("host.answerMenu('mnuEditCopy'); host.answerMenu(null);");
  MenuItem& menu = script.chart().state().children.mnuMain;
  EXPECT_EQ(script.host().PopupMenu(menu, 0, 0), std::optional<std::string>("mnuEditCopy"));
  EXPECT_EQ(script.host().PopupMenu(menu, 0, 0), std::nullopt);
}

TEST_F(ScriptHostTest, ShowThenTickPlaysTheAnimationAndResizeLaysOut) {
  Ok("chart.AddItem({ItemID: '1', Value: 40});"
     "host.show(); print(host.control('tmrStart').Enabled);"
     "host.tick(); print(host.control('tmrStart').Enabled);"
     "host.resize(700, 400); print(host.control('picLegend').Height);"
     "try { host.resize(-1, 5); } catch (e) { print(e.number); }");
  EXPECT_EQ(printed[0], "true");
  EXPECT_EQ(printed[1], "false");
  EXPECT_EQ(printed[2], "6000");
  EXPECT_EQ(printed[3], "5");
  EXPECT_TRUE(script.chart().state().animationDone);
  EXPECT_EQ(script.chart().state().barTops.size(), 1u);
}

TEST_F(ScriptHostTest, TheDescriptionListTakesTheWheelAHeldArrowAndADoubleClick) {
  Ok("host.resize(560, 372);"
     "for (let i = 0; i < 40; i++) chart.AddItem({ItemID: '1', Value: 10});"
     "host.show(); host.tick();"
     "host.mouseDown(1, 0, 8350, 3000); host.mouseUp(1, 0, 8350, 3000);"  // the slider
     "const legend = host.control('picLegend'), bar = host.control('vsbContainer');"
     "const value = () => host.control('vsbContainer').Value;"
     "print(host.wheel(-120, legend.Left + 500, 1000), value(), host.wheel(-120, 100, 100));"
     "const x = legend.Left + bar.Left + 100, y = bar.Height - 100;"
     "host.mouseDown(1, 0, x, y); print(value(), host.scrollRepeatArmed());"
     "host.scrollRepeat(); host.mouseUp(1, 0, x, y);"
     "host.dblClick(x, y); host.mouseUp(1, 0, x, y);"
     "print(value(), host.scrollRepeatArmed());");
  EXPECT_EQ(printed, (QStringList{"true 78 false", "104 true", "156 false"}));
}

TEST(ScriptCommand, ExitCodesAndMessages) {
  QTemporaryDir dir;
  auto write = [&](const char* name, const char* source) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(source);
    return f.fileName();
  };
  EXPECT_EQ(ScriptCommand({write("ok.js", "chart.MaxY = 5;")}), 0);
  EXPECT_EQ(ScriptCommand({write("bad.js", "chart.MaxY = 'x';")}), 1);
  EXPECT_EQ(ScriptCommand({dir.filePath("missing.js")}), 2);
  EXPECT_EQ(ScriptCommand({}), 2);
  // An endless script is stopped; a time that is no time is refused.
  const QString loop = write("loop.js", "for (;;) {}");
  EXPECT_EQ(ScriptCommand({loop, "--timeout", "0.2"}), 1);
  EXPECT_EQ(ScriptCommand({"--timeout", "0.5", write("quick.js", "chart.MaxY = 5;")}), 0);
  for (const char* bad : {"-1", "soon", "1e9"})
    EXPECT_EQ(ScriptCommand({loop, "--timeout", bad}), 2);
}

}  // namespace
}  // namespace palvex
