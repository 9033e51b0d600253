#include "platform/qt/TextRendering.h"

#include "platform/qt/SurfaceImage.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>

namespace platform::text
{

namespace
{

// The fonts every text is drawn in, read from their files so that no font configuration of the
// machine can change how text looks or measures.
constexpr const char* FONT_FOLDER = "/usr/share/fonts/truetype/dejavu/";
constexpr const char* FONT_FILES[] = {
    "DejaVuSans.ttf",     "DejaVuSans-Bold.ttf",     "DejaVuSans-Oblique.ttf",     "DejaVuSans-BoldOblique.ttf",
    "DejaVuSansMono.ttf", "DejaVuSansMono-Bold.ttf", "DejaVuSansMono-Oblique.ttf", "DejaVuSansMono-BoldOblique.ttf",
    "DejaVuSerif.ttf",    "DejaVuSerif-Bold.ttf",    "DejaVuSerif-Italic.ttf",     "DejaVuSerif-BoldItalic.ttf",
};
// The dialog font: its letters' widths give the dialog units, and the templates' texts fit in
// them. Without its file dialogs fall back to DejaVu Sans, in wider units, and say so.
constexpr const char* DIALOG_FONT_FILE = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
constexpr const char* DIALOG_FONT_BOLD_FILE = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf";
constexpr int32_t DIALOG_CHARACTER_HEIGHT = 11;
constexpr int32_t DEFAULT_CHARACTER_HEIGHT = 11;
constexpr int32_t LARGEST_CHARACTER_HEIGHT = 2000;

// Fonts made for the running application (registered fonts and QFonts belong to it; a test may
// make several applications one after the other).
struct FontCache
{
    const QCoreApplication* application = nullptr;
    std::map<std::tuple<std::string, int32_t, int32_t, bool, bool, bool>, QFont> fonts;
    std::map<QString, double> cellHeightPerPixel;
    QString dialogFamily;
    Size dialogBaseUnits; // empty until first asked for
};

FontCache& fontCache(const char* caller)
{
    static FontCache cache;
    const QCoreApplication* application = QCoreApplication::instance();
    if (!qobject_cast<const QGuiApplication*>(application))
        throw std::logic_error(std::string(caller) + ": drawing text needs the platform::Application");
    if (cache.application != application)
    {
        cache = FontCache{application, {}, {}, {}, {}};
        // A later application may be made at the same address: forget this one when it goes.
        QObject::connect(application, &QObject::destroyed, [] { cache = FontCache{}; });
        for (const char* file : FONT_FILES)
            QFontDatabase::addApplicationFont(QString::fromLatin1(FONT_FOLDER) + QString::fromLatin1(file));
        const int dialogFontId = QFontDatabase::addApplicationFont(QString::fromLatin1(DIALOG_FONT_FILE));
        QFontDatabase::addApplicationFont(QString::fromLatin1(DIALOG_FONT_BOLD_FILE));
        const QStringList families = QFontDatabase::applicationFontFamilies(dialogFontId);
        cache.dialogFamily = families.isEmpty() ? QStringLiteral("DejaVu Sans") : families.front();
        if (families.isEmpty())
            std::fprintf(stderr,
                         "The dialog font %s is missing: dialogs use DejaVu Sans, and their texts may not fit\n",
                         DIALOG_FONT_FILE);
    }
    return cache;
}

bool containsAny(const std::string& text, std::initializer_list<const char*> words)
{
    return std::any_of(words.begin(), words.end(),
                       [&](const char* word) { return text.find(word) != std::string::npos; });
}

QString familyFor(const Font& font)
{
    std::string face = font.faceName;
    std::transform(face.begin(), face.end(), face.begin(), [](unsigned char c) { return std::tolower(c); });
    if (font.fixedPitch || containsAny(face, {"mono", "courier", "fixed", "terminal", "console", "typewriter"}))
        return QStringLiteral("DejaVu Sans Mono");
    if (containsAny(face, {"times", "roman", "georgia"}) ||
        (containsAny(face, {"serif"}) && !containsAny(face, {"sans"})))
        return QStringLiteral("DejaVu Serif");
    return QStringLiteral("DejaVu Sans");
}

QFont makeFont(const QString& family, int32_t pixelSize, const Font& font)
{
    QFont made(family);
    made.setPixelSize(pixelSize);
    made.setWeight(
        static_cast<QFont::Weight>(std::clamp(font.weight == FW_DONTCARE ? FW_NORMAL : font.weight, 1, 1000)));
    made.setItalic(font.italic);
    made.setUnderline(font.underline);
    // Crisp one-colour glyphs, advances without kerning and no substitute fonts: text looks the
    // same on every machine and every pixel is either the text colour or untouched.
    made.setStyleStrategy(
        static_cast<QFont::StyleStrategy>(QFont::NoAntialias | QFont::NoSubpixelAntialias | QFont::NoFontMerging));
    made.setHintingPreference(QFont::PreferFullHinting);
    made.setKerning(false);
    return made;
}

const QFont& qtFont(const Font& font, const char* caller)
{
    FontCache& cache = fontCache(caller);
    const auto key =
        std::make_tuple(font.faceName, font.height, font.weight, font.italic, font.underline, font.fixedPitch);
    if (auto found = cache.fonts.find(key); found != cache.fonts.end())
        return found->second;
    const QString family = familyFor(font);
    int64_t pixelSize = DEFAULT_CHARACTER_HEIGHT;
    if (font.height < 0)
        pixelSize = -static_cast<int64_t>(font.height);
    else if (font.height > 0)
    {
        // A cell height: the largest characters whose line is no higher, as the system picks.
        auto [ratio, isNew] = cache.cellHeightPerPixel.try_emplace(family, 0.0);
        if (isNew)
        {
            const QFontMetricsF reference(makeFont(family, 256, Font{}));
            ratio->second = (reference.ascent() + reference.descent()) / 256.0;
        }
        pixelSize = std::clamp<int64_t>(std::lround(font.height / ratio->second), 1, LARGEST_CHARACTER_HEIGHT);
        while (pixelSize > 1)
        {
            const QFontMetrics candidate(makeFont(family, static_cast<int32_t>(pixelSize), font));
            if (candidate.ascent() + candidate.descent() <= font.height)
                break;
            --pixelSize;
        }
    }
    pixelSize = std::clamp<int64_t>(pixelSize, 1, LARGEST_CHARACTER_HEIGHT);
    return cache.fonts.emplace(key, makeFont(family, static_cast<int32_t>(pixelSize), font)).first->second;
}

// UTF-8 when the bytes are valid UTF-8 (plain ASCII included), Latin-1 otherwise.
QString decode(std::string_view text)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (utf8.hasError())
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    return decoded;
}

} // namespace

QFont dialogFont()
{
    return makeFont(fontCache("platform::Dialog::create").dialogFamily, DIALOG_CHARACTER_HEIGHT, Font{});
}

Size dialogBaseUnits()
{
    FontCache& cache = fontCache("platform::dialogUnitsToPixels");
    if (cache.dialogBaseUnits.width == 0)
    {
        const QFont font = dialogFont();
        // The average advance of the 52 Latin letters, rounded, as drawn.
        const int letters = QFontMetrics(font).horizontalAdvance(
            QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"));
        // A line from the font's highest ascent to its lowest descent, each rounded outwards.
        const QFontMetricsF line(font);
        cache.dialogBaseUnits = {(letters + 26) / 52,
                                 static_cast<int32_t>(std::ceil(line.ascent()) + std::ceil(line.descent()))};
    }
    return cache.dialogBaseUnits;
}

TextMetrics metricsOf(const Font& font)
{
    const QFont& made = qtFont(font, "platform::DeviceContext::getTextMetrics");
    const QFontMetrics metrics(made);
    TextMetrics result;
    result.ascent = metrics.ascent();
    result.descent = metrics.descent();
    result.height = result.ascent + result.descent;
    result.internalLeading = std::max(0, result.height - made.pixelSize());
    result.externalLeading = std::max(0, metrics.leading());
    result.averageCharWidth = metrics.horizontalAdvance(QLatin1Char('x'));
    result.maxCharWidth = metrics.maxWidth();
    return result;
}

int32_t widthOf(const Font& font, std::string_view text)
{
    const QFontMetrics metrics(qtFont(font, "platform::DeviceContext::getTextExtent"));
    return metrics.horizontalAdvance(decode(text));
}

namespace
{

void drawIn(QPainter& painter, const QFont& font, int32_t left, int32_t top, std::string_view text, ColorRef colour)
{
    painter.setFont(font);
    painter.setPen(QColor(redOf(colour), greenOf(colour), blueOf(colour)));
    painter.drawText(QPoint(left, top + QFontMetrics(font).ascent()), decode(text));
}

} // namespace

void draw(Surface& target, const Rect& clip, int32_t left, int32_t top, const Font& font, std::string_view text,
          ColorRef colour)
{
    const QFont& made = qtFont(font, "platform::DeviceContext::textOut");
    if (clip.isEmpty() || target.isEmpty())
        return;
    QPainter painter(&surfaceImage(target));
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setClipRect(QRect(clip.left, clip.top, clip.width(), clip.height()));
    drawIn(painter, made, left, top, text, colour);
}

void draw(QPainter& painter, int32_t left, int32_t top, const Font& font, std::string_view text, ColorRef colour)
{
    // Glyphs hinted to the screen's pixels are placed at whole pixels, which a scaled page shows
    // as gaps inside words (and readers take them for spaces): on paper the font is not hinted.
    QFont unhinted = qtFont(font, "platform::DeviceContext::textOut");
    unhinted.setHintingPreference(QFont::PreferNoHinting);
    drawIn(painter, unhinted, left, top, text, colour);
}

} // namespace platform::text
