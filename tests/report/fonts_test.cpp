#include "report/fonts.h"

#include <gtest/gtest.h>

#include "report/page_painter.h"

namespace {

struct FaceCase
{
    const char *requested;
};

class FontSubstitution : public testing::TestWithParam<FaceCase>
{
};

TEST_P(FontSubstitution, PicksAnInstalledFace)
{
    const QString requested = QString::fromLatin1(GetParam().requested);
    const FaceChoice face = SubstituteFace(requested);
    EXPECT_TRUE(HasFontFamily(face.family)) << face.family.toStdString();
    if (HasFontFamily(requested)) {
        EXPECT_EQ(face.family, requested);
        EXPECT_EQ(face.sizeFactor, 1.0);
    } else {
        EXPECT_NE(face.family, requested);
        EXPECT_GT(face.sizeFactor, 0.5);
        EXPECT_LT(face.sizeFactor, 1.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Faces, FontSubstitution,
                         testing::Values(FaceCase{"EucrosiaUPC"}, FaceCase{"CordiaUPC"},
                                         FaceCase{"Garuda"}),
                         [](const testing::TestParamInfo<FaceCase> &info) {
                             return std::string(info.param.requested);
                         });

TEST(FontSubstitution, UnknownFaceIsLeftToTheSystem)
{
    const FaceChoice face = SubstituteFace("NoSuchFaceAnywhere");
    EXPECT_EQ(face.family, QStringLiteral("NoSuchFaceAnywhere"));
    EXPECT_EQ(face.sizeFactor, 1.0);
}

TEST(FontSubstitution, ResolvedFontKeepsStyleAndScalesTheSize)
{
    const FaceChoice face = SubstituteFace("CordiaUPC");
    const FontRequest font = ResolveFont(Font("CordiaUPC", 14, "BIU"));
    EXPECT_EQ(font.family, face.family);
    EXPECT_DOUBLE_EQ(font.pointSize, 14 * face.sizeFactor);
    EXPECT_TRUE(font.bold);
    EXPECT_TRUE(font.italic);
    EXPECT_TRUE(font.underline);
}

TEST(FontSubstitution, OneBaselineRuleForEveryFace)
{
    // The baseline follows the size asked for, not the drawn face's ascent.
    EXPECT_DOUBLE_EQ(BaselineOffsetMm(Font("EucrosiaUPC", 14)), BaselineOffsetMm(Font("CordiaUPC", 14)));
    EXPECT_DOUBLE_EQ(BaselineOffsetMm(Font("CordiaUPC", 28)), 2 * BaselineOffsetMm(Font("CordiaUPC", 14)));
}

// The captions of the document layouts were sized to their text in the original faces; in the
// substitute they must still fit the width the layout gives them.
struct CaptionCase
{
    const char *text;
    double widthMm;
};

class CaptionWidth : public testing::TestWithParam<CaptionCase>
{
};

TEST_P(CaptionWidth, SubstituteTextFitsTheGivenWidth)
{
    const CaptionCase &c = GetParam();
    const double widthMm = TextWidthMm(QString::fromUtf8(c.text), Font("EucrosiaUPC", 14, "B"));
    EXPECT_GT(widthMm, c.widthMm / 2) << c.text;
    EXPECT_LE(widthMm, c.widthMm) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Captions, CaptionWidth,
                         testing::Values(CaptionCase{"ที่อยู่", 6.9}, CaptionCase{"วันที่", 8.2},
                                         CaptionCase{"อ้างถึง", 10.3}, CaptionCase{"พนักงาน", 12.2},
                                         CaptionCase{"รหัสสินค้า", 14.8}));

} // namespace
