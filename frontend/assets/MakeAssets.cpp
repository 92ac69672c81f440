// Draws the pictures and synthesises the start-up sound that ship beside ZAMDeck:
//   Pictures/Mode0.jpg .. Mode4.jpg   one picture per launch mode
//   Pictures/Car0.jpg .. Car6.jpg     one side view per team, in the team's colours
//   Pictures/CarD.JPG                 the picture shown for a team without its own
//   Startup.wav                       a short engine blip
//   icons/hicolor/NxN/apps/zamdeck.png the application icon at the sizes desktops ask for,
//                                      rendered from its drawing zamdeck.svg
// Usage: zam_make_assets OUTPUT_FOLDER ICON_SVG
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 200;

struct Team {
    const char* name;
    QColor body;
    QColor stripe;
};

// Car numbers 0 to 6.
const std::array<Team, 7> kTeams = {{
    {"Brabham", QColor(0, 90, 40), QColor(230, 190, 40)},
    {"BRM", QColor(20, 70, 45), QColor(240, 130, 30)},
    {"Cooper", QColor(25, 45, 110), QColor(240, 240, 240)},
    {"Eagle", QColor(20, 40, 140), QColor(250, 250, 250)},
    {"Ferrari", QColor(190, 20, 20), QColor(250, 250, 250)},
    {"Lotus", QColor(0, 100, 50), QColor(250, 220, 0)},
    {"Honda", QColor(245, 245, 240), QColor(200, 20, 20)},
}};

void Sky(QPainter& p) {
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(110, 160, 220));
    sky.setColorAt(0.6, QColor(200, 220, 240));
    sky.setColorAt(0.61, QColor(90, 140, 70));
    sky.setColorAt(1, QColor(60, 100, 50));
    p.fillRect(0, 0, kWidth, kHeight, sky);
}

void Caption(QPainter& p, const QString& text, int y) {
    QFont font = p.font();
    font.setPixelSize(22);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(QRect(2, y + 2, kWidth, 30), Qt::AlignCenter, text);
    p.setPen(Qt::white);
    p.drawText(QRect(0, y, kWidth, 30), Qt::AlignCenter, text);
}

// A cigar-shaped single-seater seen from the side, nose to the right.
void Car(QPainter& p, QPointF at, double scale, const Team& team) {
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    p.setPen(QPen(Qt::black, 1.2));
    QPainterPath body;
    body.moveTo(-90, 5);
    body.cubicTo(-95, -12, -60, -18, -20, -16);
    body.lineTo(60, -12);
    body.cubicTo(85, -10, 100, -4, 102, 4);
    body.lineTo(-90, 8);
    body.closeSubpath();
    p.setBrush(team.body);
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(team.stripe);
    p.drawRect(QRectF(-70, -6, 160, 5));
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QPointF(-10, -20), 10, 9);  // helmet
    p.setBrush(QColor(170, 200, 230, 200));
    p.drawRect(QRectF(4, -26, 4, 10));        // screen
    for (double x : {-62.0, 70.0}) {
        p.setBrush(QColor(25, 25, 25));
        p.drawEllipse(QPointF(x, 10), 17, 17);
        p.setBrush(QColor(160, 160, 165));
        p.drawEllipse(QPointF(x, 10), 7, 7);
    }
    p.restore();
}

void Track(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 80, 85));
    p.drawRect(0, 140, kWidth, 40);
    p.setBrush(Qt::white);
    for (int x = 0; x < kWidth; x += 40) p.drawRect(x, 158, 20, 3);
}

QImage Canvas() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool Save(const QImage& image, const QString& path) {
    if (image.save(path, "JPG", 90)) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

bool ModePictures(const QDir& folder) {
    const std::array<const char*, 5> captions = {"Testing", "Offline Race", "Hosting a Race",
                                                 "Joining a Race", "Championship"};
    bool ok = true;
    for (int mode = 0; mode < 5; ++mode) {
        QImage image = Canvas();
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        Sky(p);
        Track(p);
        const int cars = mode == 0 ? 1 : mode == 4 ? 4 : 3;
        for (int i = 0; i < cars; ++i)
            Car(p, QPointF(70 + i * 75, 150 - (i % 2) * 4), 0.55,
                kTeams[static_cast<std::size_t>((mode + i) % 7)]);
        if (mode == 2 || mode == 3) {  // a network link
            p.setPen(QPen(Qt::white, 3, Qt::DashLine));
            p.drawLine(40, 60, 280, 60);
            p.setBrush(QColor(240, 240, 240));
            p.setPen(QPen(Qt::black, 1.5));
            p.drawRect(mode == 2 ? 20 : 260, 45, 40, 30);
        }
        if (mode == 4) {  // a chequered flag
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 6; ++c)
                    p.fillRect(230 + c * 10, 40 + r * 10, 10, 10, (r + c) % 2 ? Qt::black : Qt::white);
        }
        Caption(p, captions[static_cast<std::size_t>(mode)], 8);
        p.end();
        ok = Save(image, folder.filePath(QString("Mode%1.jpg").arg(mode))) && ok;
    }
    return ok;
}

bool CarPictures(const QDir& folder) {
    bool ok = true;
    for (std::size_t car = 0; car < kTeams.size(); ++car) {
        QImage image = Canvas();
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        Sky(p);
        Track(p);
        Car(p, QPointF(160, 140), 1.2, kTeams[car]);
        Caption(p, kTeams[car].name, 8);
        p.end();
        ok = Save(image, folder.filePath(QString("Car%1.jpg").arg(car))) && ok;
    }
    QImage image = Canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Sky(p);
    Track(p);
    Car(p, QPointF(160, 140), 1.2, {"", QColor(150, 150, 155), QColor(90, 90, 95)});
    Caption(p, "Grand Prix Legends", 8);
    p.end();
    return Save(image, folder.filePath("CarD.JPG")) && ok;
}

void PutLe(std::vector<char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// 1.4 seconds of an engine blipped from idle to high revs and back: a few harmonics of a
// rising and falling firing frequency with a soft envelope, 22050 Hz, 16-bit mono.
bool StartupSound(const QString& path) {
    constexpr std::uint32_t kRate = 22050;
    constexpr double kSeconds = 1.4;
    const auto count = static_cast<std::uint32_t>(kRate * kSeconds);
    std::vector<char> data;
    double phase = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double rev = t < 0.5 ? t / 0.5 : std::exp(-(t - 0.5) * 3.0);
        const double frequency = 60 + 220 * rev;
        phase += 2 * std::numbers::pi * frequency / kRate;
        double sample = 0.55 * std::sin(phase) + 0.25 * std::sin(2 * phase) +
                        0.15 * std::sin(3 * phase + 0.3) + 0.05 * std::sin(5 * phase);
        const double envelope = std::min(1.0, t / 0.05) * std::min(1.0, (kSeconds - t) / 0.3);
        sample *= 0.6 * envelope;
        PutLe(data, static_cast<std::uint16_t>(static_cast<std::int16_t>(sample * 32767)), 2);
    }
    std::vector<char> file = {'R', 'I', 'F', 'F'};
    PutLe(file, static_cast<std::uint32_t>(36 + data.size()), 4);
    for (char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}) file.push_back(c);
    PutLe(file, 16, 4);
    PutLe(file, 1, 2);  // PCM
    PutLe(file, 1, 2);  // mono
    PutLe(file, kRate, 4);
    PutLe(file, kRate * 2, 4);
    PutLe(file, 2, 2);
    PutLe(file, 16, 2);
    for (char c : {'d', 'a', 't', 'a'}) file.push_back(c);
    PutLe(file, static_cast<std::uint32_t>(data.size()), 4);
    file.insert(file.end(), data.begin(), data.end());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(file.data(), static_cast<qint64>(file.size())) != static_cast<qint64>(file.size())) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The sizes of the hicolor icon theme that menus, docks and window lists pick from.
constexpr std::array<int, 7> kIconSizes = {16, 24, 32, 48, 64, 128, 256};

bool IconPictures(const QDir& out, const QString& svg) {
    QSvgRenderer drawing(svg);
    if (!drawing.isValid()) {
        std::fprintf(stderr, "cannot read the icon drawing %s\n", qPrintable(svg));
        return false;
    }
    bool ok = true;
    for (int size : kIconSizes) {
        const QString folder = QString("icons/hicolor/%1x%1/apps").arg(size);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        drawing.render(&p);
        p.end();
        const QString path = out.filePath(folder + "/zamdeck.png");
        if (!out.mkpath(folder) || !image.save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER ICON_SVG\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath("Pictures")) return 1;
    QDir pictures(out.filePath("Pictures"));
    const bool ok = ModePictures(pictures) && CarPictures(pictures) &&
                    StartupSound(out.filePath("Startup.wav")) &&
                    IconPictures(out, QString::fromLocal8Bit(argv[2]));
    return ok ? 0 : 1;
}
