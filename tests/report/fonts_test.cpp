#include "report/fonts.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QStringList>

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
    EXPECT_TRUE(QFontDatabase::families().contains(face.family)) << face.family.toStdString();
    if (QFontDatabase::hasFamily(requested)) {
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
    const QFont font = ResolveFont(Font("CordiaUPC", 14, "BIU"));
    EXPECT_EQ(font.family(), face.family);
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 14 * face.sizeFactor);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_EQ(QFontInfo(font).family(), face.family);
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
    const QFont font = ResolveFont(Font("EucrosiaUPC", 14, "B"));
    const QFontMetricsF metrics(font);
    const double widthMm = metrics.horizontalAdvance(QString::fromUtf8(c.text)) * 25.4 /
                           metrics.fontDpi();
    EXPECT_LE(widthMm, c.widthMm) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Captions, CaptionWidth,
                         testing::Values(CaptionCase{"ที่อยู่", 6.9}, CaptionCase{"วันที่", 8.2},
                                         CaptionCase{"อ้างถึง", 10.3}, CaptionCase{"พนักงาน", 12.2},
                                         CaptionCase{"รหัสสินค้า", 14.8}));

} // namespace
