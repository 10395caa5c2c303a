for (let i = 0; i < 5; i++)
  chart.AddItem({ItemID: String(i + 1), XAxisDescription: "x" + i, SelectedDescription: "d" + i, Value: i * 7 - 3});
chart.Selectable = true;
chart.HotTracking = true;
const c = chart.on("ItemClick", (item) => { chart.Clear(); chart.off(c); chart.SelectedColumn = 0; });
chart.on("MouseDown", (b, s, x, y) => { host.answerMenu("mnuViewLegend"); chart.MaxY = y; });
host.resize(300, 200);
host.show(); host.tick();
host.mouseDown(1, 0, 1500, 2500); host.mouseMove(1, 0, 2000, 2000); host.mouseUp(1, 0, 2000, 2000);
host.answerMenu("mnuEditCopy"); host.mouseDown(2, 0, 10, 10);
host.wheel(-120, 4000, 1000); while (host.scrollRepeatArmed()) host.scrollRepeat();
host.dblClick(4400, 40);
chart.invoke(0x68030007, "put", 1e308);
chart.ShowLegend(true);
print(host.control("lblDescription", 2).Caption, chart.GetYTopLegend(-7), chart.GetThemeLineColor());
