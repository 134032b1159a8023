#include "report/fonts.h"

#include <fontconfig/fontconfig.h>

#include <QSet>

#include <algorithm>
#include <initializer_list>

namespace {

struct Candidate
{
    const char *family;
    double sizeFactor;
};

struct Substitution
{
    const char *requested;
    std::initializer_list<Candidate> candidates;
};

// The UPC faces draw their glyphs small for their point size: at the same point size a TLWG face
// is about 1.4 times as large. The factors are taken from the captions whose widths the document
// layouts give exactly (for example "พนักงาน" in EucrosiaUPC 14 bold fills 12.2 mm): each factor
// makes that caption in the substitute face no wider than the width given, so every text still
// fits the width its layout reserves. Positions never change; only the drawn size does.
// EucrosiaUPC is a looped face with serifs: Norasi and Kinnari are its nearest TLWG relatives.
// CordiaUPC is a looped sans face: Loma first, Garuda after it.
const Substitution kSubstitutions[] = {
    {"EucrosiaUPC", {{"Norasi", 0.70}, {"Kinnari", 0.68}, {"Laksaman", 0.67}, {"Loma", 0.66}}},
    {"CordiaUPC", {{"Loma", 0.66}, {"Garuda", 0.62}, {"Laksaman", 0.67}, {"Norasi", 0.70}}},
};

// Baseline below the frame's top as a fraction of the requested size. It is the baseline the
// serif substitute (Norasi at its factor: ascent 1.216 em x 0.70) has always had, so the texts
// that most layouts are made of stay where they were; the sans substitute, whose own ascent is
// smaller, now sits on the same line instead of about half a millimetre higher.
constexpr double kBaselineRatio = 0.85;

const QSet<QString> &InstalledFamilies()
{
    static const QSet<QString> families = [] {
        QSet<QString> names;
        FcPattern *pattern = FcPatternCreate();
        FcObjectSet *objects = FcObjectSetBuild(FC_FAMILY, nullptr);
        FcFontSet *fonts = FcFontList(nullptr, pattern, objects);
        for (int i = 0; fonts && i < fonts->nfont; ++i) {
            FcChar8 *family = nullptr;
            for (int n = 0; FcPatternGetString(fonts->fonts[i], FC_FAMILY, n, &family) == FcResultMatch; ++n)
                names.insert(QString::fromUtf8(reinterpret_cast<const char *>(family)).toCaseFolded());
        }
        if (fonts)
            FcFontSetDestroy(fonts);
        FcObjectSetDestroy(objects);
        FcPatternDestroy(pattern);
        return names;
    }();
    return families;
}

} // namespace

bool HasFontFamily(const QString &family)
{
    return InstalledFamilies().contains(family.toCaseFolded());
}

FaceChoice SubstituteFace(const QString &requested)
{
    if (HasFontFamily(requested))
        return {requested, 1.0};
    for (const Substitution &s : kSubstitutions) {
        if (requested.compare(QLatin1String(s.requested), Qt::CaseInsensitive) != 0)
            continue;
        for (const Candidate &c : s.candidates) {
            const QString family = QString::fromLatin1(c.family);
            if (HasFontFamily(family))
                return {family, c.sizeFactor};
        }
    }
    return {requested, 1.0};
}

FontRequest ResolveFont(const FontRequest &request)
{
    const FaceChoice face = SubstituteFace(request.family);
    FontRequest font = request;
    font.family = face.family;
    font.pointSize = std::max(1.0, request.pointSize * face.sizeFactor);
    return font;
}

double BaselineOffsetMm(const FontRequest &request)
{
    return LineHeightMm(request) * kBaselineRatio;
}
