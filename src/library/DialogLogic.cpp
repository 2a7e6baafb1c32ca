#include "library/DialogLogic.h"

#include "platform/Numbers.h"

#include <cmath>

namespace library {

QSizeF fitInto(QSizeF natural, QSizeF box) {
    if (natural.width() <= 0 || natural.height() <= 0)
        return natural;
    const double r = natural.width() / natural.height();
    double w = natural.width(), h = natural.height();
    if (w > box.width()) {
        w = box.width();
        h = w / r;
    }
    if (h > box.height()) {
        h = box.height();
        w = h * r;
    }
    return {w, h};
}

QRectF centredIn(QSizeF size, const QRectF& area) {
    return {area.left() + (area.width() - size.width()) / 2,
            area.top() + (area.height() - size.height()) / 2, size.width(), size.height()};
}

int roundPixel(double pixels) {
    return platform::roundToInt(std::round(pixels * 1e6) / 1e6);
}

QRect roundPixels(const QRectF& pixels) {
    return {roundPixel(pixels.left()), roundPixel(pixels.top()), roundPixel(pixels.width()),
            roundPixel(pixels.height())};
}

namespace {
void addOnce(QStringList& list, const QString& value) {
    if (!list.contains(value))
        list << value;
}
} // namespace

QStringList distinctModels(const std::vector<VehicleName>& entries) {
    QStringList out;
    for (const VehicleName& e : entries)
        addOnce(out, e.model);
    return out;
}

QStringList distinctBodies(const std::vector<VehicleName>& entries, const QString& model) {
    QStringList out;
    for (const VehicleName& e : entries)
        if (e.model == model)
            addOnce(out, e.body);
    return out;
}

QStringList distinctViews(const std::vector<VehicleName>& entries, const QString& model,
                          const QString& body) {
    QStringList out;
    for (const VehicleName& e : entries)
        if (e.model == model && e.body == body)
            addOnce(out, e.view);
    return out;
}

int lastMatching(const std::vector<VehicleName>& entries, const QString& model, const QString& body,
                 const QString& view) {
    for (int i = int(entries.size()) - 1; i >= 0; --i) {
        const VehicleName& e = entries[size_t(i)];
        if (e.model == model && e.body == body && e.view == view)
            return i;
    }
    return -1;
}

bool passesFilter(const AccessoryName& entry, const std::optional<QString>& axesFilter) {
    return !axesFilter || isCompatible(entry.views, *axesFilter);
}

QStringList distinctFamilies(const std::vector<AccessoryName>& entries,
                             const std::optional<QString>& axesFilter) {
    QStringList out;
    for (const AccessoryName& e : entries)
        if (passesFilter(e, axesFilter))
            addOnce(out, e.family);
    return out;
}

QStringList distinctAccessoryModels(const std::vector<AccessoryName>& entries,
                                    const QString& family,
                                    const std::optional<QString>& axesFilter) {
    QStringList out;
    for (const AccessoryName& e : entries)
        if (e.family == family && passesFilter(e, axesFilter))
            addOnce(out, e.model);
    return out;
}

int lastMatching(const std::vector<AccessoryName>& entries, const QString& family,
                 const QString& model, const std::optional<QString>& axesFilter) {
    for (int i = int(entries.size()) - 1; i >= 0; --i) {
        const AccessoryName& e = entries[size_t(i)];
        if (e.family == family && e.model == model && passesFilter(e, axesFilter))
            return i;
    }
    return -1;
}

QStringList distinctFields(const QStringList& fileNames, int field) {
    QStringList out;
    for (const QString& name : fileNames) {
        const QStringList parts = fields(name);
        if (parts.size() != 6)
            continue;
        const QString& value = parts.at(field);
        if (!value.isEmpty())
            addOnce(out, value);
    }
    return out;
}

bool isForbiddenNameCharacter(QChar c) {
    static const QString forbidden = QStringLiteral("_\\/:*?<>|\"");
    return forbidden.contains(c);
}

QString cleanName(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        if (!isForbiddenNameCharacter(c))
            out += c;
    return out.trimmed();
}

QString accessoryViews(bool top, bool leftRight, bool frontBack) {
    QStringList views;
    if (top)
        views << QStringLiteral("XY");
    if (leftRight)
        views << QStringLiteral("XZ");
    if (frontBack)
        views << QStringLiteral("YZ");
    return views.join(QLatin1Char('-'));
}

bool isValidDimension(const QString& text) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value <= 32767;
}

Measurement measureResolution(const QString& answer, double pixels, const QLocale& locale) {
    bool ok = false;
    const double typed = locale.toDouble(answer.trimmed(), &ok);
    if (!ok || !std::isfinite(typed) || pixels <= 0)
        return {Measurement::Outcome::NotANumber, 0};
    // The typed length is taken in single precision, as the resolution always was.
    const double centimetres = double(float(typed));
    if (centimetres <= 0)
        return {Measurement::Outcome::NotPositive, 0};
    const double micrometres = platform::roundHalfEven(centimetres / pixels * 10000.0);
    if (micrometres > 32767.0)
        return {Measurement::Outcome::TooLarge, 0};
    if (micrometres < 1.0)
        return {Measurement::Outcome::TooSmall, 0};
    return {Measurement::Outcome::Ok, std::int16_t(micrometres)};
}

QString resolutionCaption(std::int16_t resolution) {
    const QString number = resolution == 0 ? QStringLiteral("????") : QString::number(resolution);
    return number + QStringLiteral(" µm/pixel");
}

void CalibrationTest::start() {
    xc_ = yc_ = kNowhere;
    running_ = true;
}

void CalibrationTest::reset() {
    running_ = false;
    firstTaken_ = false;
    xc_ = yc_ = kNowhere;
}

void CalibrationTest::drawCrossHair(float x, float y, platform::Surface& surface) const {
    const float sw = float(surface.width()), sh = float(surface.height());
    surface.line(0, y, sw, y, platform::kBlack);
    surface.line(x, 0, x, sh, platform::kBlack);
}

void CalibrationTest::pointerMoved(float x, float y, platform::Surface& surface) {
    if (!running_)
        return;
    const platform::DrawMode mode = surface.drawMode;
    const int width = surface.penWidth;
    surface.drawMode = platform::DrawMode::Invert;
    surface.penWidth = 1;
    // Drawing the previous cross-hair again in invert mode removes it.
    if (xc_ != kNowhere || yc_ != kNowhere)
        drawCrossHair(xc_, yc_, surface);
    xc_ = x;
    yc_ = y;
    drawCrossHair(x, y, surface);
    surface.drawMode = mode;
    surface.penWidth = width;
}

CalibrationTest::Click CalibrationTest::click(float x, float y, platform::Surface& surface) {
    if (!running_)
        return Click::Ignored;
    if (firstTaken_ && (x != x1_ || y != y1_)) {
        running_ = false;
        xc_ = yc_ = kNowhere;
        firstTaken_ = false;
        return Click::SecondPoint;
    }
    const platform::DrawMode mode = surface.drawMode;
    const int width = surface.penWidth;
    surface.drawMode = platform::DrawMode::Invert;
    surface.penWidth = 1;
    surface.line(x - 10, y, x + 10, y, platform::kBlack);
    surface.line(x, y - 10, x, y + 10, platform::kBlack);
    surface.drawMode = mode;
    surface.penWidth = width;
    x1_ = x;
    y1_ = y;
    firstTaken_ = !firstTaken_;
    return Click::FirstPoint;
}

double CalibrationTest::distanceTo(float x, float y) const {
    const double dx = double(x) - double(x1_), dy = double(y) - double(y1_);
    return std::sqrt(dx * dx + dy * dy);
}

void AxlePick::start() {
    running_ = true;
    front_.reset();
    rear_.reset();
}

void AxlePick::reset() {
    running_ = false;
    front_.reset();
    rear_.reset();
}

AxlePick::Click AxlePick::click(float x, platform::Surface& surface) {
    if (!running_ || (front_ && platform::roundToInt(*front_) == platform::roundToInt(x)))
        return Click::Ignored;
    const platform::DrawMode mode = surface.drawMode;
    const int width = surface.penWidth;
    surface.drawMode = platform::DrawMode::Invert;
    surface.penWidth = 1;
    surface.line(x, 0, x, float(surface.height()), platform::kBlack);
    surface.drawMode = mode;
    surface.penWidth = width;
    if (!front_) {
        front_ = x;
        return Click::Front;
    }
    rear_ = x;
    running_ = false;
    return Click::Rear;
}

std::optional<document::AxleCentres> AxlePick::centres(double pixelsPerCm) const {
    if (!front_ || !rear_ || pixelsPerCm <= 0)
        return std::nullopt;
    const auto cm = [pixelsPerCm](float x) {
        return std::round(double(x) / pixelsPerCm * 10) / 10;
    };
    return document::AxleCentres{cm(*front_), cm(*rear_)};
}

VehicleDataTexts vehicleDataTexts(const VehicleDataEntry& entry) {
    const auto text = [](double v) { return QString::number(v, 'g', 10); };
    VehicleDataTexts texts;
    if (const auto& m = entry.masses) {
        texts[int(VehicleDatum::KerbFront)] = text(m->kerbFrontKg);
        texts[int(VehicleDatum::KerbRear)] = text(m->kerbRearKg);
        texts[int(VehicleDatum::MaxFront)] = text(m->maxFrontKg);
        texts[int(VehicleDatum::MaxRear)] = text(m->maxRearKg);
        texts[int(VehicleDatum::MaxTotal)] = text(m->maxTotalKg);
    }
    if (const auto& a = entry.axles) {
        texts[int(VehicleDatum::FrontAxle)] = text(a->frontCm);
        texts[int(VehicleDatum::RearAxle)] = text(a->rearCm);
    }
    return texts;
}

std::variant<VehicleDataEntry, QString> readVehicleDataTexts(const VehicleDataTexts& texts,
                                                             bool withAxles) {
    const int read = withAxles ? kVehicleData : int(VehicleDatum::FrontAxle);
    std::array<std::optional<double>, kVehicleData> values;
    for (int k = 0; k < read; ++k) {
        const QString text = texts[std::size_t(k)].trimmed();
        if (text.isEmpty())
            continue;
        values[std::size_t(k)] = platform::parseNumber(text);
        if (!values[std::size_t(k)] || *values[std::size_t(k)] < 0)
            return QStringLiteral("Les données du véhicule doivent être des nombres positifs, ou "
                                  "rester vides quand elles ne sont pas connues.");
    }
    const auto given = [&values](int first, int last) {
        int count = 0;
        for (int k = first; k <= last; ++k)
            count += values[std::size_t(k)].has_value() ? 1 : 0;
        return count;
    };
    const int masses = given(int(VehicleDatum::KerbFront), int(VehicleDatum::MaxTotal));
    const int axles = given(int(VehicleDatum::FrontAxle), int(VehicleDatum::RearAxle));
    const auto value = [&values](VehicleDatum d) { return *values[std::size_t(d)]; };
    if ((masses != 0 && masses != 5) || axles == 1 ||
        (axles == 2 && value(VehicleDatum::FrontAxle) == value(VehicleDatum::RearAxle)))
        return QStringLiteral("Donnez les cinq masses ensemble, et les centres des deux "
                              "essieux ensemble, à des distances différentes.");
    VehicleDataEntry entry;
    if (masses == 5)
        entry.masses =
            document::VehicleMasses{value(VehicleDatum::KerbFront), value(VehicleDatum::KerbRear),
                                    value(VehicleDatum::MaxFront), value(VehicleDatum::MaxRear),
                                    value(VehicleDatum::MaxTotal)};
    if (axles == 2)
        entry.axles =
            document::AxleCentres{value(VehicleDatum::FrontAxle), value(VehicleDatum::RearAxle)};
    return entry;
}

} // namespace library
