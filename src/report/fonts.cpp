#include "report/fonts.h"

#include <QFontDatabase>

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

} // namespace

FaceChoice SubstituteFace(const QString &requested)
{
    if (QFontDatabase::hasFamily(requested))
        return {requested, 1.0};
    for (const Substitution &s : kSubstitutions) {
        if (requested.compare(QLatin1String(s.requested), Qt::CaseInsensitive) != 0)
            continue;
        for (const Candidate &c : s.candidates) {
            const QString family = QString::fromLatin1(c.family);
            if (QFontDatabase::hasFamily(family))
                return {family, c.sizeFactor};
        }
    }
    return {requested, 1.0};
}

QFont ResolveFont(const FontRequest &request)
{
    const FaceChoice face = SubstituteFace(request.family);
    QFont font(face.family);
    font.setPointSizeF(std::max(1.0, request.pointSize * face.sizeFactor));
    font.setBold(request.bold);
    font.setItalic(request.italic);
    font.setUnderline(request.underline);
    return font;
}
