// Cover pictures of 青岚网's books: 170 × 210 PNG, a colour gradient with a title band and
// a frame, colours drawn from the book number. Drawn pixel by pixel on a QImage (no
// QGuiApplication is needed for that) and encoded by Qt's built-in PNG writer.

#include <QBuffer>
#include <QImage>

#include <cstdint>
#include <map>
#include <mutex>

#include "standin/standin.h"

namespace mozhou::standin {
namespace {

constexpr int kCoverWidth = 170;
constexpr int kCoverHeight = 210;
constexpr int kFrame = 6;
constexpr int kBandTop = 40;
constexpr int kBandHeight = 36;

QRgb Shade(std::uint32_t seed, int step) {
  const int r = static_cast<int>((seed >> 16) & 0xff);
  const int g = static_cast<int>((seed >> 8) & 0xff);
  const int b = static_cast<int>(seed & 0xff);
  auto darker = [step](int channel) { return channel * (255 - step) / 255; };
  return qRgb(darker(r), darker(g), darker(b));
}

std::string DrawCover(int book_number) {
  const auto seed = static_cast<std::uint32_t>(book_number) * 2654435761U;
  QImage image(kCoverWidth, kCoverHeight, QImage::Format_RGB32);
  for (int y = 0; y < kCoverHeight; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < kCoverWidth; ++x) {
      const bool frame = x < kFrame || y < kFrame || x >= kCoverWidth - kFrame || y >= kCoverHeight - kFrame;
      const bool band = y >= kBandTop && y < kBandTop + kBandHeight && x >= 2 * kFrame && x < kCoverWidth - 2 * kFrame;
      if (frame) {
        line[x] = qRgb(40, 30, 20);
      } else if (band) {
        line[x] = qRgb(245, 235, 210);
      } else {
        line[x] = Shade(seed, y * 160 / kCoverHeight);
      }
    }
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

}  // namespace

std::string Qinglan_Cover(int book_number) {
  if (!Qinglan_Book(book_number)) return {};
  // Encoded once per book; the servers' threads share the cache.
  static std::mutex mutex;
  static std::map<int, std::string> drawn;
  const std::lock_guard lock(mutex);
  auto [place, fresh] = drawn.try_emplace(book_number);
  if (fresh) place->second = DrawCover(book_number);
  return place->second;
}

}  // namespace mozhou::standin
