// Export with hostile text: control characters, lone surrogates, bidi
// controls, line separators and words longer than the chart in every text
// the chart draws, then the picture at a scale of 1 to 4 through PNG and
// back, and the same chart as SVG and as PDF. The picture has the size the
// scale asks for and survives the round trip, the SVG is XML every reader
// takes, the PDF is one page, and nothing but the control's own error
// comes out.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <array>

#include "chart_on_host.h"
#include "core/chart_picture.h"
#include "platform/qt/vector_surface.h"
#include "ui/export.h"

using namespace palvex;

namespace {

// Units that have broken text drawing somewhere: C0 controls, NEL, the
// line and paragraph separators, bidi embeddings and isolates, a zero
// width joiner, lone and swapped surrogates, the non-characters XML
// forbids, a combining mark, and text in the fallback faces (Arabic, an
// emoji's surrogate pair, a modifier letter, CJK).
constexpr std::array<char16_t, 32> kHostile = {
    0x0000, 0x0001, 0x0009, 0x000A, 0x000B, 0x000C, 0x000D, 0x001F, 0x0085, 0x2028, 0x2029,
    0x202E, 0x202B, 0x2066, 0x2069, 0x200F, 0x200D, 0xD800, 0xDC00, 0xDBFF, 0xFFFE, 0xFFFF,
    0xFEFF, 0x0301, 0x0627, 0x0644, 0xD83D, 0xDE00, 0x02B0, 0x4E2D, 0x0041, 0x0020};

std::u16string HostileText(fuzz::Bytes& in) {
  std::u16string text;
  for (unsigned pieces = in.Below(8); pieces > 0; --pieces) {
    switch (in.Below(4)) {
      case 0:
        text += kHostile[in.Below(kHostile.size())];
        break;
      case 1:
        text += in.Take<char16_t>();
        break;
      case 2:
        // A word no line holds.
        text.append(1 + in.Below(255) * 2, u'W');
        break;
      default:
        text += in.Text(4);
    }
  }
  return text;
}

// The pages of a PDF: page objects, not the page tree.
int PdfPages(const QByteArray& pdf) {
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
  int pages = 0;
  for (auto it = page.globalMatch(QString::fromLatin1(pdf)); it.hasNext(); it.next()) ++pages;
  return pages;
}

void CheckVector(ChartState& state, PictureFormat format) {
  std::unique_ptr<Surface> page = state.host.CreateVectorSurface(
      state.surface->PixelWidth(), state.surface->PixelHeight(), format);
  if (!page) fuzz::Broken("a Qt host draws no vector picture");
  DrawChartOn(state, page);
  auto* vector = dynamic_cast<VectorSurface*>(page.get());
  if (!vector) fuzz::Broken("the vector picture is drawn on another kind of surface");
  const QByteArray bytes = vector->Finish();
  if (format == PictureFormat::Svg) {
    QXmlStreamReader reader(bytes);
    while (!reader.atEnd()) reader.readNext();
    if (reader.hasError()) fuzz::Broken("an exported SVG is not well-formed XML");
  } else if (!bytes.startsWith("%PDF-") || PdfPages(bytes) != 1) {
    fuzz::Broken("an exported PDF is not one page");
  }
}

void CheckPicture(PalvexChart& chart, double scale) {
  const Surface& surface = *chart.state().surface;
  const QImage picture = ChartPicture(chart, scale);
  if (picture.width() != static_cast<int>(surface.PixelWidth() * scale) ||
      picture.height() != static_cast<int>(surface.PixelHeight() * scale))
    fuzz::Broken("a scaled picture has another size than the scale asks");
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.save(&buffer, "PNG")) fuzz::Broken("a picture cannot be encoded as PNG");
  const QImage back = QImage::fromData(png, "PNG").convertToFormat(picture.format());
  if (back != picture) fuzz::Broken("a picture changes on its way through PNG");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::StartQt();
  fuzz::Bytes in(data, size);
  fuzz::FuzzHost host;
  PalvexChart chart(host);
  try {
    chart.InitProperties();
    const int width = 120 + static_cast<int>(in.Below(200));
    chart.Resize(width, 90 + static_cast<int>(in.Below(150)));
    chart.SetActiveTheme(static_cast<std::int32_t>(in.Below(4)));
    chart.SetChartTitle(HostileText(in));
    chart.SetChartSubTitle(HostileText(in));
    chart.SetAxisLabelX(HostileText(in));
    chart.SetAxisLabelY(HostileText(in));
    for (unsigned item = 1, items = in.Below(6); item <= items; ++item) {
      chart.AddItem(ChartItem{std::u16string(1, static_cast<char16_t>(u'0' + item)),
                              HostileText(in), HostileText(in),
                              static_cast<double>(in.Take<std::int16_t>())});
    }
    chart.Show();
    // The bars as grown, without playing the growth's ten frames.
    InitBarPalette(chart.state());
    chart.state().animationDone = true;
    if (in.Below(2)) chart.ShowLegend();
    chart.Refresh();
  } catch (const ChartError&) {
    // Refused as documented: what the chart shows now is still exported.
  }
  fuzz::CheckBusyFlagsClear(chart.state());
  try {
    CheckPicture(chart, 1.0 + in.Below(4));
    CheckVector(chart.state(), PictureFormat::Svg);
    CheckVector(chart.state(), PictureFormat::Pdf);
  } catch (const ChartError&) {
    // A pass may refuse what the input made (a value past the scale's
    // range); a refusal is the control's answer, not a fault.
  }
  return 0;
}
