// Draws every picture of the program into a folder (default: resources/ of
// the source tree, passed by CMake). Run by hand after changing a picture:
//   make_pictures <folder>
// One palette for everything: charcoal greys with an orange accent, the
// colours the entry window's labels and fields use.
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

// The palette.
const QColor kCharcoal(52, 52, 56);
const QColor kSlate(96, 96, 96);
const QColor kMist(236, 236, 238);
const QColor kInk(55, 55, 55);
const QColor kOrange(255, 128, 0);
const QColor kEmber(192, 96, 0);
const QColor kPeach(255, 180, 145);
const QColor kCoral(255, 119, 76);
const QColor kWhite(255, 255, 255);

const char kFontFamily[] = "WenQuanYi Micro Hei";

QString g_folder;

QFont PixelFont(int pixels, bool bold = false) {
  QFont font(QString::fromUtf8(kFontFamily));
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

bool Save(const QImage& image, const QString& name) {
  const QString path = g_folder + "/" + name;
  if (!image.save(path, "PNG", 9)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

QImage Canvas(int width, int height, QColor fill = Qt::transparent) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(fill);
  return image;
}

void Antialias(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
}

// The three looks of a picture button.
enum class Look { kNormal, kHovered, kPressed };
const char* const kLookSuffix[] = {"normal", "hovered", "pressed"};

QColor Shade(QColor c, Look look) {
  if (look == Look::kHovered) return c.lighter(115);
  if (look == Look::kPressed) return c.darker(118);
  return c;
}

using DrawLook = std::function<void(QPainter&, const QRectF&, Look)>;

bool SaveButton(const QString& name, int width, int height, const DrawLook& draw) {
  bool ok = true;
  for (int i = 0; i < 3; ++i) {
    QImage image = Canvas(width, height);
    QPainter p(&image);
    Antialias(p);
    const Look look = static_cast<Look>(i);
    QRectF r(0, 0, width, height);
    if (look == Look::kPressed) r.translate(0, 1);
    draw(p, r, look);
    p.end();
    ok = Save(image, QString("%1_%2.png").arg(name, kLookSuffix[i])) && ok;
  }
  return ok;
}

// A filled rounded button with a centred caption.
DrawLook FilledButton(QString caption, QColor fill, QColor text, int fontPixels) {
  return [=](QPainter& p, const QRectF& r, Look look) {
    const QRectF body = r.adjusted(1, 1, -1, -2);
    const qreal radius = body.height() / 2;
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0, Shade(fill, look).lighter(110));
    g.setColorAt(1, Shade(fill, look).darker(108));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawRoundedRect(body.translated(0, 1.5), radius, radius);
    p.setBrush(g);
    p.drawRoundedRect(body, radius, radius);
    p.setPen(text);
    p.setFont(PixelFont(fontPixels, true));
    p.drawText(body, Qt::AlignCenter, caption);
  };
}

// An outlined button: light border and caption on a translucent body.
DrawLook OutlinedButton(QString caption, QColor line, int fontPixels) {
  return [=](QPainter& p, const QRectF& r, Look look) {
    const QRectF body = r.adjusted(1.5, 1.5, -1.5, -2.5);
    const qreal radius = body.height() / 2;
    const int alpha = look == Look::kNormal ? 30 : look == Look::kHovered ? 70 : 110;
    p.setBrush(QColor(255, 255, 255, alpha));
    p.setPen(QPen(line, 1.6));
    p.drawRoundedRect(body, radius, radius);
    p.setPen(line);
    p.setFont(PixelFont(fontPixels, true));
    p.drawText(body, Qt::AlignCenter, caption);
  };
}

// A square or round glyph button: close (x) or minimise (-).
enum class Glyph { kClose, kMinimise };

DrawLook GlyphButton(Glyph glyph, QColor ink, QColor hoverFill, bool round) {
  return [=](QPainter& p, const QRectF& r, Look look) {
    const QRectF body = r.adjusted(1, 1, -1, -1);
    if (look != Look::kNormal) {
      p.setPen(Qt::NoPen);
      p.setBrush(look == Look::kHovered ? hoverFill : hoverFill.darker(120));
      if (round) {
        p.drawEllipse(body);
      } else {
        p.drawRoundedRect(body, 5, 5);
      }
    } else if (round) {
      p.setPen(QPen(ink, 1.4));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(body.adjusted(1, 1, -1, -1));
    }
    const QColor glyphInk = look == Look::kNormal ? ink : kWhite;
    p.setPen(QPen(glyphInk, 2.2, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = body.center();
    const qreal s = std::min(body.width(), body.height()) * 0.2;
    if (glyph == Glyph::kClose) {
      p.drawLine(c + QPointF(-s, -s), c + QPointF(s, s));
      p.drawLine(c + QPointF(-s, s), c + QPointF(s, -s));
    } else {
      p.drawLine(c + QPointF(-s * 1.2, 0), c + QPointF(s * 1.2, 0));
    }
  };
}

// A page toggle of the frame: a large caption with a line of help below.
DrawLook ToggleButton(QString caption, QString help) {
  return [=](QPainter& p, const QRectF& r, Look look) {
    const QRectF card = r.adjusted(14, 18, -14, -14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 35));
    p.drawRoundedRect(card.translated(0, 2), 14, 14);
    QLinearGradient g(card.topLeft(), card.bottomRight());
    g.setColorAt(0, Shade(kOrange, look));
    g.setColorAt(1, Shade(kCoral, look));
    p.setBrush(g);
    p.drawRoundedRect(card, 14, 14);
    p.setPen(kWhite);
    p.setFont(PixelFont(26, true));
    p.drawText(card.adjusted(0, 6, 0, -26), Qt::AlignCenter, caption);
    p.setFont(PixelFont(12));
    p.setPen(QColor(255, 240, 228));
    p.drawText(card.adjusted(0, 38, 0, -4), Qt::AlignCenter, help);
  };
}

// The contact button: a speech bubble.
void DrawContact(QPainter& p, const QRectF& r, Look look) {
  const QRectF bubble = r.adjusted(5, 6, -5, -12);
  QPainterPath path;
  path.addRoundedRect(bubble, 8, 8);
  QPolygonF tail;
  tail << QPointF(bubble.left() + 8, bubble.bottom() - 1)
       << QPointF(bubble.left() + 7, r.bottom() - 5)
       << QPointF(bubble.left() + 17, bubble.bottom() - 1);
  path.addPolygon(tail);
  path.setFillRule(Qt::WindingFill);
  p.setPen(Qt::NoPen);
  p.setBrush(Shade(kOrange, look));
  p.drawPath(path.simplified());
  p.setBrush(kWhite);
  const qreal y = bubble.center().y();
  for (int i = -1; i <= 1; ++i) p.drawEllipse(QPointF(bubble.center().x() + i * 7, y), 2.2, 2.2);
}

// The program's mark: an orange tile with an island over water and the
// character of the box.
void DrawMark(QPainter& p, const QRectF& r) {
  const qreal radius = r.width() * 0.22;
  QLinearGradient g(r.topLeft(), r.bottomRight());
  g.setColorAt(0, kOrange.lighter(112));
  g.setColorAt(1, kEmber);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(r, radius, radius);
  p.save();
  QPainterPath tile;
  tile.addRoundedRect(r, radius, radius);
  p.setClipPath(tile);
  p.setBrush(QColor(255, 255, 255, 60));
  p.drawEllipse(QRectF(r.left() - r.width() * 0.3, r.top() + r.height() * 0.62, r.width() * 1.6,
                       r.height() * 0.7));
  p.restore();
  p.setPen(kWhite);
  p.setFont(PixelFont(static_cast<int>(r.height() * 0.56), true));
  p.drawText(r.adjusted(0, -r.height() * 0.06, 0, -r.height() * 0.06), Qt::AlignCenter,
             QString::fromUtf8("匣"));
}

void DrawSoftCircles(QPainter& p, const QRectF& area, QColor tint) {
  p.save();
  p.setClipRect(area);
  p.setPen(Qt::NoPen);
  const struct {
    qreal x, y, radius;
    int alpha;
  } circles[] = {{0.85, 0.12, 0.35, 40}, {0.1, 0.55, 0.45, 28}, {0.75, 0.9, 0.3, 34}};
  for (const auto& c : circles) {
    const QPointF centre(area.left() + area.width() * c.x, area.top() + area.height() * c.y);
    const qreal radius = area.width() * c.radius;
    QRadialGradient g(centre, radius);
    QColor inner = tint;
    inner.setAlpha(c.alpha);
    QColor outer = tint;
    outer.setAlpha(0);
    g.setColorAt(0, inner);
    g.setColorAt(1, outer);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
  }
  p.restore();
}

bool FirstPanel() {
  QImage image = Canvas(320, 640, kSlate);
  QPainter p(&image);
  Antialias(p);
  QLinearGradient body(0, 30, 0, 616);
  body.setColorAt(0, kCharcoal);
  body.setColorAt(0.55, QColor(74, 62, 56));
  body.setColorAt(1, QColor(118, 64, 30));
  p.fillRect(QRect(0, 30, 320, 586), body);
  DrawSoftCircles(p, QRectF(0, 30, 320, 586), kOrange);
  p.fillRect(QRect(0, 0, 320, 30), kMist);
  p.fillRect(QRect(0, 30, 320, 2), kOrange);
  p.fillRect(QRect(0, 616, 320, 24), kMist);
  // A halo behind the logo and a rule under the title.
  QRadialGradient halo(QPointF(160, 141), 70);
  halo.setColorAt(0, QColor(255, 160, 60, 90));
  halo.setColorAt(1, QColor(255, 160, 60, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(halo);
  p.drawEllipse(QPointF(160, 141), 70, 70);
  p.setPen(QPen(QColor(255, 255, 255, 90), 1));
  p.drawLine(QPointF(110, 250), QPointF(210, 250));
  p.setPen(QColor(255, 255, 255, 150));
  p.setFont(PixelFont(12));
  p.drawText(QRectF(0, 262, 320, 60), Qt::AlignHCenter | Qt::AlignTop,
             QString::fromUtf8("论坛 · 软件 · 线报\n新帖一处尽览"));
  p.end();
  return Save(image, "first_panel.png");
}

bool Frame() {
  QImage image = Canvas(800, 500, kMist);
  QPainter p(&image);
  Antialias(p);
  // Right side: a light sheet for the form.
  QLinearGradient sheet(320, 0, 800, 500);
  sheet.setColorAt(0, QColor(250, 248, 246));
  sheet.setColorAt(1, QColor(238, 234, 231));
  p.fillRect(QRect(320, 0, 480, 500), sheet);
  // Left side: a dark band with the quotation, then a light card.
  QLinearGradient band(0, 0, 320, 220);
  band.setColorAt(0, kCharcoal);
  band.setColorAt(1, QColor(120, 62, 24));
  p.fillRect(QRect(0, 0, 320, 218), band);
  DrawSoftCircles(p, QRectF(0, 0, 320, 218), kOrange);
  p.fillRect(QRect(0, 218, 320, 282), QColor(246, 242, 238));
  p.fillRect(QRect(0, 216, 320, 3), kOrange);
  p.fillRect(QRect(319, 0, 1, 500), QColor(220, 214, 208));
  DrawMark(p, QRectF(32, 40, 56, 50));
  p.setPen(kWhite);
  p.setFont(PixelFont(18, true));
  p.drawText(QRectF(100, 44, 200, 26), Qt::AlignLeft | Qt::AlignVCenter,
             QString::fromUtf8("澄屿 · 软件集匣"));
  p.setPen(QColor(255, 220, 190));
  p.setFont(PixelFont(12));
  p.drawText(QRectF(100, 70, 200, 20), Qt::AlignLeft | Qt::AlignVCenter,
             QString::fromUtf8("一个窗口，七个站点"));
  // A thin accent under the page toggle's place and round the form.
  p.setPen(QPen(QColor(255, 128, 0, 120), 2));
  p.drawLine(QPointF(360, 118), QPointF(760, 118));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 180, 145, 60));
  p.drawEllipse(QPointF(830, 520), 140, 140);
  p.end();
  return Save(image, "frame.png");
}

// White marks what lies outside the window; every other colour is inside.
bool Outline() {
  QImage image = Canvas(800, 500, kWhite);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  p.setBrush(kCharcoal);
  QPainterPath shape;
  shape.addRoundedRect(QRectF(0, 0, 800, 500), 18, 18);
  p.drawPath(shape);
  p.end();
  return Save(image, "outline.png");
}

bool Fields() {
  const struct {
    const char* name;
    QColor fill;
    QColor line;
    qreal width;
  } looks[] = {{"field_normal.png", kPeach, kPeach.darker(112), 1.2},
               {"field_focused.png", kCoral, kOrange.darker(110), 2.0}};
  bool ok = true;
  for (const auto& look : looks) {
    QImage image = Canvas(300, 50);
    QPainter p(&image);
    Antialias(p);
    const QRectF outer(4, 4, 292, 42);
    if (look.width > 1.5) {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(255, 128, 0, 50));
      p.drawRoundedRect(outer.adjusted(-3, -3, 3, 3), 12, 12);
    }
    p.setBrush(look.fill);
    p.setPen(QPen(look.line, look.width));
    p.drawRoundedRect(outer, 9, 9);
    p.end();
    ok = Save(image, look.name) && ok;
  }
  return ok;
}

bool Logo() {
  QImage image = Canvas(80, 72);
  QPainter p(&image);
  Antialias(p);
  DrawMark(p, QRectF(6, 2, 68, 68));
  p.end();
  return Save(image, "logo.png");
}

bool Icon() {
  QImage image = Canvas(256, 256);
  QPainter p(&image);
  Antialias(p);
  DrawMark(p, QRectF(12, 12, 232, 232));
  p.end();
  return Save(image, "icon.png");
}

bool MainBackground() {
  QImage image = Canvas(972, 578, QColor(128, 0, 0));
  QPainter p(&image);
  Antialias(p);
  QLinearGradient g(0, 0, 972, 578);
  g.setColorAt(0, QColor(120, 18, 8));
  g.setColorAt(0.5, QColor(78, 30, 24));
  g.setColorAt(1, kCharcoal);
  p.fillRect(image.rect(), g);
  DrawSoftCircles(p, QRectF(0, 0, 972, 578), kOrange);
  // The side panel under the labels: a darker column with an accent edge.
  p.fillRect(QRect(0, 0, 200, 578), QColor(30, 20, 20, 90));
  p.fillRect(QRect(198, 0, 2, 578), QColor(255, 128, 0, 140));
  p.setPen(QPen(QColor(255, 160, 90, 40), 1));
  for (int y = 36; y < 578; y += 72) p.drawLine(QPointF(16, y + 32), QPointF(184, y + 32));
  DrawMark(p, QRectF(70, 520, 60, 50));
  p.end();
  return Save(image, "main_background.png");
}

// The penalty page's decoration: a small dark house with a barred window.
bool PenaltyDecoration() {
  QImage image = Canvas(240, 240, kMist);
  QPainter p(&image);
  Antialias(p);
  QLinearGradient sky(0, 0, 0, 240);
  sky.setColorAt(0, QColor(255, 214, 180));
  sky.setColorAt(1, kMist);
  p.fillRect(image.rect(), sky);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 128, 0, 60));
  p.drawEllipse(QPointF(190, 50), 28, 28);
  QPolygonF roof;
  roof << QPointF(40, 104) << QPointF(120, 44) << QPointF(200, 104);
  p.setBrush(kEmber);
  p.drawPolygon(roof);
  p.setBrush(kCharcoal);
  p.drawRect(QRectF(56, 100, 128, 96));
  p.setBrush(QColor(255, 200, 120));
  p.drawRect(QRectF(92, 122, 56, 40));
  p.setPen(QPen(kCharcoal, 4));
  for (int x = 102; x < 148; x += 12) p.drawLine(QPointF(x, 122), QPointF(x, 162));
  p.setPen(kCharcoal);
  p.setFont(PixelFont(22, true));
  p.drawText(QRectF(0, 200, 240, 34), Qt::AlignCenter, QString::fromUtf8("小黑屋"));
  p.end();
  return Save(image, "penalty_decoration.png");
}

bool Buttons() {
  const QColor kDark(69, 69, 69);
  bool ok = true;
  ok = SaveButton("close_small", 29, 29, GlyphButton(Glyph::kClose, kMist, kCoral, true)) && ok;
  ok = SaveButton("choose_login", 270, 35,
                  FilledButton(QString::fromUtf8("登录"), kOrange, kWhite, 15)) &&
       ok;
  ok = SaveButton("choose_register", 270, 35,
                  OutlinedButton(QString::fromUtf8("注册"), kMist, 15)) &&
       ok;
  ok = SaveButton(
           "toggle_login", 200, 100,
           ToggleButton(QString::fromUtf8("登录"), QString::fromUtf8("已有账号？点这里登录"))) &&
       ok;
  ok = SaveButton(
           "toggle_register", 200, 100,
           ToggleButton(QString::fromUtf8("注册"), QString::fromUtf8("还没有账号？点这里注册"))) &&
       ok;
  ok = SaveButton("minimise", 40, 30, GlyphButton(Glyph::kMinimise, kDark, kSlate, false)) && ok;
  ok = SaveButton("close", 40, 30, GlyphButton(Glyph::kClose, kDark, QColor(222, 64, 40), false)) &&
       ok;
  ok = SaveButton("contact", 40, 40, DrawContact) && ok;
  ok = SaveButton("login", 200, 40, FilledButton(QString::fromUtf8("登录"), kOrange, kWhite, 16)) &&
       ok;
  ok = SaveButton("register", 200, 40,
                  FilledButton(QString::fromUtf8("注册"), kOrange, kWhite, 16)) &&
       ok;
  ok = SaveButton("enter", 248, 47,
                  FilledButton(QString::fromUtf8("进入软件"), kCharcoal, kWhite, 17)) &&
       ok;
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_pictures <folder>\n");
    return 2;
  }
  g_folder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(g_folder);
  const bool ok = FirstPanel() && Frame() && Outline() && Fields() && Logo() && Icon() &&
                  MainBackground() && PenaltyDecoration() && Buttons();
  return ok ? 0 : 1;
}
