#pragma once

#include "document/MassBudget.h"
#include "library/LibraryNames.h"
#include "platform/Surface.h"

#include <QLocale>
#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

// The arithmetic and list building behind the library windows, kept free of widgets.
namespace library {

// Window geometry is in pixels; some positions fall on thirds of a pixel.

// Shrinks a size to fit a box keeping its proportions: the width first, then the
// height. A size that already fits is returned unchanged.
QSizeF fitInto(QSizeF natural, QSizeF box);
// The rectangle of that size centred in the area.
QRectF centredIn(QSizeF size, const QRectF& area);
// The nearest whole pixel, halves to even. A value within a millionth of a half counts
// as the half, so that the rounding error of thirds of pixels does not tip it.
int roundPixel(double pixels);
// Each of left, top, width and height rounded on its own.
QRect roundPixels(const QRectF& pixels);

// Vehicle entries: each distinct value in entry order.
QStringList distinctModels(const std::vector<VehicleName>& entries);
QStringList distinctBodies(const std::vector<VehicleName>& entries, const QString& model);
QStringList distinctViews(const std::vector<VehicleName>& entries, const QString& model,
                          const QString& body);
// The last entry with that model, body and view; -1 when none.
int lastMatching(const std::vector<VehicleName>& entries, const QString& model, const QString& body,
                 const QString& view);

// Accessory entries seen through the compatibility filter: without a filter every
// entry passes, otherwise the entries whose views fit those axes.
bool passesFilter(const AccessoryName& entry, const std::optional<QString>& axesFilter);
QStringList distinctFamilies(const std::vector<AccessoryName>& entries,
                             const std::optional<QString>& axesFilter);
QStringList distinctAccessoryModels(const std::vector<AccessoryName>& entries,
                                    const QString& family,
                                    const std::optional<QString>& axesFilter);
int lastMatching(const std::vector<AccessoryName>& entries, const QString& family,
                 const QString& model, const std::optional<QString>& axesFilter);

// The import windows' suggestion lists: the distinct non-empty values of one field of
// the six-field names, in list order.
QStringList distinctFields(const QStringList& fileNames, int field);

// Characters that cannot appear in a name field: _ \ / : * ? < > | and the double quote.
bool isForbiddenNameCharacter(QChar c);
// The text without forbidden characters and without leading and trailing spaces.
QString cleanName(const QString& text);

// The views field of an accessory, always in the order XY, XZ, YZ ("" when none).
QString accessoryViews(bool top, bool leftRight, bool frontBack);
// A dimension as typed: digits only, and a value that fits a 16-bit integer.
bool isValidDimension(const QString& text);

// Reading a measured distance and turning it into micrometres per pixel.
struct Measurement {
    enum class Outcome { Ok, NotANumber, NotPositive, TooLarge, TooSmall };
    Outcome outcome = Outcome::NotANumber;
    std::int16_t resolution = 0; // micrometres per pixel; 0 unless Ok
};
// answer: centimetres in the locale's number format; pixels: the clicked distance.
// resolution = answer (single precision) / pixels * 10000, halves to even.
Measurement measureResolution(const QString& answer, double pixels, const QLocale& locale);
// "2500 µm/pixel", or "???? µm/pixel" for 0.
QString resolutionCaption(std::int16_t resolution);

// The two-click resolution test drawn over the picture in invert mode: a cross-hair
// follows the mouse, a cross marks the first point. Coordinates are picture pixels.
class CalibrationTest {
public:
    static constexpr float kNowhere = 9999.0f;
    enum class Click { Ignored, FirstPoint, SecondPoint };

    void start();
    // Forgets the running test and the first point (a new picture).
    void reset();
    // The picture was drawn again: no cross-hair is left to remove.
    void forgetCrossHair() { xc_ = yc_ = kNowhere; }
    bool running() const { return running_; }
    bool firstPointTaken() const { return firstTaken_; }
    float x1() const { return x1_; }
    float y1() const { return y1_; }

    void pointerMoved(float x, float y, platform::Surface& surface);
    // A second point ends the test: the caller measures, then redraws the picture.
    // A click exactly on the first point marks a new first point and leaves no point
    // taken, so two more clicks are needed.
    Click click(float x, float y, platform::Surface& surface);
    // Distance in pixels from the first point.
    double distanceTo(float x, float y) const;

private:
    void drawCrossHair(float x, float y, platform::Surface& surface) const;

    bool running_ = false;
    bool firstTaken_ = false;
    float x1_ = 0, y1_ = 0;
    float xc_ = kNowhere, yc_ = kNowhere;
};

// Placing a side or top view's axle centres by clicking the centres of its two wheels:
// the front wheel first, then the rear one. Each click marks its column with a vertical
// line drawn in invert mode across the picture. Coordinates are picture pixels.
class AxlePick {
public:
    enum class Click { Ignored, Front, Rear };

    void start();
    void reset();
    bool running() const { return running_; }
    // A click on the rear wheel's own column as the front one's is ignored.
    Click click(float x, platform::Surface& surface);
    // After both clicks: cm from the picture's left edge, to the tenth.
    std::optional<document::AxleCentres> centres(double pixelsPerCm) const;

private:
    bool running_ = false;
    std::optional<float> front_, rear_;
};

// The vehicle data as the data boxes hold them: the empty vehicle on the front and on
// the rear axle, each axle's maximum and the maximum authorised mass in kg, then the
// front and rear axle centres in cm from the picture's left edge; each box empty when
// the value is unknown.
enum class VehicleDatum { KerbFront, KerbRear, MaxFront, MaxRear, MaxTotal, FrontAxle, RearAxle };
constexpr int kVehicleData = 7;
using VehicleDataTexts = std::array<QString, kVehicleData>;

struct VehicleDataEntry {
    std::optional<document::VehicleMasses> masses;
    std::optional<document::AxleCentres> axles;
    bool operator==(const VehicleDataEntry&) const = default;
};
// The boxes' texts for an entry ("." as decimal separator, no trailing zeros).
VehicleDataTexts vehicleDataTexts(const VehicleDataEntry& entry);
// The entry the texts give, or the message that says what is wrong with them: a value
// that is not a number or is negative, masses or axles given in part, both axles at one
// place. Without withAxles the axle boxes are not read.
std::variant<VehicleDataEntry, QString> readVehicleDataTexts(const VehicleDataTexts& texts,
                                                             bool withAxles);

} // namespace library
