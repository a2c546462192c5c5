#pragma once
#include "AttractorCase.h"
#include "DisplaySettings.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zephyra {

class RandomGenerator;
class AttractorRef;

constexpr int THUMBNAIL_SIZE = 32;
constexpr int THUMBNAIL_BYTES = THUMBNAIL_SIZE * THUMBNAIL_SIZE * 3;
// 32 x 32 pixels, rows bottom-up, bytes blue, green, red; white until drawn. The pixels are held
// only once written, so that the records of a large document that no panel shows cost a few
// hundred bytes each, not 3 KB.
class Thumbnail {
public:
    Thumbnail() = default;
    Thumbnail(const Thumbnail& other)
        : pixels_(other.pixels_ ? std::make_unique<Pixels>(*other.pixels_) : nullptr)
    {
    }
    Thumbnail& operator=(const Thumbnail& other)
    {
        if (this != &other)
            pixels_ = other.pixels_ ? std::make_unique<Pixels>(*other.pixels_) : nullptr;
        return *this;
    }
    Thumbnail(Thumbnail&&) noexcept = default;
    Thumbnail& operator=(Thumbnail&&) noexcept = default;

    [[nodiscard]] static constexpr std::size_t size() { return THUMBNAIL_BYTES; }
    [[nodiscard]] bool Drawn() const { return pixels_ != nullptr; }
    [[nodiscard]] const std::uint8_t* data() const { return pixels_ ? pixels_->data() : White().data(); }
    [[nodiscard]] std::uint8_t* data() { return Own().data(); }
    [[nodiscard]] std::uint8_t operator[](std::size_t i) const { return data()[i]; }
    [[nodiscard]] std::uint8_t& operator[](std::size_t i) { return Own()[i]; }
    [[nodiscard]] const std::uint8_t* begin() const { return data(); }
    [[nodiscard]] const std::uint8_t* end() const { return data() + size(); }
    void fill(std::uint8_t value) { Own().fill(value); }
    [[nodiscard]] bool operator==(const Thumbnail& other) const
    {
        return std::equal(begin(), end(), other.begin());
    }

private:
    using Pixels = std::array<std::uint8_t, THUMBNAIL_BYTES>;
    Pixels& Own()
    {
        if (!pixels_)
            pixels_ = std::make_unique<Pixels>(White());
        return *pixels_;
    }
    static const Pixels& White()
    {
        static const Pixels white = [] {
            Pixels pixels;
            pixels.fill(255);
            return pixels;
        }();
        return white;
    }
    std::unique_ptr<Pixels> pixels_;
};

constexpr float DEFAULT_FOV = 60.0f;
constexpr float DEFAULT_ZOOM = 2.5f;

// One attractor: its case, code, coefficients, last measurements, camera, display and thumbnail.
// Shared by an intrusive count; holders keep it through AttractorRef, never by raw pointer.
class Attractor {
public:
    Attractor(const Attractor&) = delete;
    Attractor& operator=(const Attractor&) = delete;

    std::int32_t refCount = 0;
    bool valid = false;
    std::string code;                // the code text; empty while the record has none
    std::vector<float> coefficients; // entry 0 is 0, entry i the value of code character i
    std::int32_t codeLength = 0;     // M + 1
    // Values between the letters: empty, or one entry per entry of `coefficients` (entry 0 unused)
    // that runs every orbit in place of the letters' values; `code` then holds the nearest letters.
    std::vector<double> exactCoefficients;
    float lyapunov = 0.0f;
    float fractalDim = 0.0f;
    std::int32_t dimension = 0;
    std::int32_t order = 0;
    std::int32_t kind = 0;
    std::int32_t pointsCount = 0;
    float fov = DEFAULT_FOV, zoom = DEFAULT_ZOOM, yaw = 0, pitch = 0, tx = 0, ty = 0;
    // The 4D turn in degrees, in the planes of w and x, y and z; only 4D cases use it.
    float xw = 0, yw = 0, zw = 0;
    std::int32_t position = 1;
    Thumbnail thumbnail;
    DisplaySettings display;
    // A code text that was refused when the record was read from a file, kept so that writing
    // the record back loses nothing the user typed.
    std::string refusedCode;

    // A record with the start values, `valid` from Randomize(letter).
    [[nodiscard]] static AttractorRef CreateRandom(char letter, const AttractorDefaults& defaults,
                                                   RandomGenerator& random);
    // A record with the start values, `valid` from SetCode(text).
    [[nodiscard]] static AttractorRef CreateFromCode(std::string_view text,
                                                     const AttractorDefaults& defaults);
    // A record with the start values and no code: the base of reading a record from a file.
    [[nodiscard]] static AttractorRef CreateEmpty(const AttractorDefaults& defaults);
    // Same code, display, position, camera, point count and thumbnail; no measurements.
    [[nodiscard]] AttractorRef Clone(const AttractorDefaults& defaults) const;

    bool DescribeCase(char letter);
    bool Randomize(char letter, const AttractorDefaults& defaults, RandomGenerator& random);
    bool SetCode(std::string_view text, const AttractorDefaults& defaults);
    // Puts the attractor between the letters: `values` is sized like `coefficients` (entry 0
    // ignored; a call of another size changes nothing). Each coefficient character becomes the
    // character nearest its value (printable '!' to '~', a character whose value is met exactly
    // staying as it is), `coefficients` those characters' values, and `exactCoefficients` the
    // values, or nothing when every value is its character's value exactly.
    void SetExactCoefficients(const std::vector<double>& values);
    [[nodiscard]] bool HasExactCoefficients() const
    {
        return !exactCoefficients.empty() && exactCoefficients.size() == coefficients.size();
    }
    // Coefficient i (1 to M) as the double-precision paths use it: the exact value when there is one.
    [[nodiscard]] double CoefficientOf(int i) const
    {
        const auto at = static_cast<std::size_t>(i);
        return HasExactCoefficients() ? exactCoefficients[at] : static_cast<double>(coefficients[at]);
    }
    // Coefficient i as the exact engine uses it: the exact value rounded to single precision once.
    [[nodiscard]] float OrbitCoefficientOf(int i) const
    {
        const auto at = static_cast<std::size_t>(i);
        return HasExactCoefficients() ? static_cast<float>(exactCoefficients[at]) : coefficients[at];
    }
    // Every coefficient as the double-precision paths use it (entry 0 is 0).
    [[nodiscard]] std::vector<double> CoefficientValues() const;
    // Every coefficient as the exact engine uses it (entry 0 is 0); made once per run.
    [[nodiscard]] std::vector<float> OrbitCoefficients() const;
    void StepForward();
    void StepBack();
    void NextPosition();
    void PreviousPosition();
    void ResetCamera();
    // A camera every renderer can draw through: finite values, a field of view above 0 and
    // below 180 degrees, and the eye in front of the cube's centre.
    [[nodiscard]] bool HasDrawableCamera() const;
    // Whether the camera is the one ResetCamera sets (nobody moved it).
    [[nodiscard]] bool HasDefaultCamera() const;

    [[nodiscard]] char CaseLetter() const { return code.empty() ? '\0' : code[0]; }
    [[nodiscard]] int CoefficientsCount() const { return codeLength - 1; }
    [[nodiscard]] bool IsSpecial() const { return kind >= KIND_SPECIAL_Y; }

    void AddRef() { ++refCount; }
    void Release()
    {
        if (--refCount == 0)
            delete this;
    }

private:
    explicit Attractor(const AttractorDefaults& defaults);
    ~Attractor() = default;
};

// Value of one coefficient character: (ch - 77) x 0.1 in single precision, ch signed.
[[nodiscard]] float CoefficientValue(char ch);

// An owning handle: adds a reference on construction and copy, releases it on destruction.
class AttractorRef {
public:
    AttractorRef() = default;
    explicit AttractorRef(Attractor* a) : ptr_(a)
    {
        if (ptr_)
            ptr_->AddRef();
    }
    AttractorRef(const AttractorRef& o) : AttractorRef(o.ptr_) {}
    AttractorRef(AttractorRef&& o) noexcept : ptr_(o.ptr_) { o.ptr_ = nullptr; }
    AttractorRef& operator=(AttractorRef o) noexcept
    {
        std::swap(ptr_, o.ptr_);
        return *this;
    }
    ~AttractorRef()
    {
        if (ptr_)
            ptr_->Release();
    }

    void Reset() { AttractorRef().swap(*this); }
    void swap(AttractorRef& o) noexcept { std::swap(ptr_, o.ptr_); }

    [[nodiscard]] Attractor* get() const { return ptr_; }
    Attractor* operator->() const { return ptr_; }
    Attractor& operator*() const { return *ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    bool operator==(const AttractorRef& o) const { return ptr_ == o.ptr_; }
    bool operator==(const Attractor* o) const { return ptr_ == o; }

private:
    Attractor* ptr_ = nullptr;
};

} // namespace zephyra
