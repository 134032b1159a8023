// The company profile and the system settings: both edit the one settings row in place.
#include "register_fixture.h"

#include "registers/office_window.h"
#include "registers/system_settings_window.h"

#include <QLineEdit>
#include <QRadioButton>

namespace {

class SettingsWindows : public RegisterFixture
{
protected:
    QString stored(const char *column)
    {
        return scalar(QStringLiteral("select %1 from orvexsys").arg(QLatin1String(column))).toString();
    }
    void store(const QVariantMap &values)
    {
        QStringList sets;
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            sets.append(QStringLiteral("%1 = :p%1").arg(it.key().toLower()));
        QVariantMap bound;
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            bound.insert(QStringLiteral("p") + it.key().toLower(), it.value());
        scalar(QStringLiteral("update orvexsys set ") + sets.join(QStringLiteral(", ")), bound);
    }
    bool locked(QWidget &window, const char *column)
    {
        auto *box = window.findChild<QLineEdit *>(QString::fromLatin1(column));
        EXPECT_NE(box, nullptr) << column;
        return box && box->isReadOnly();
    }
};

} // namespace

TEST_F(SettingsWindows, TheCompanyProfileSavesItsColumnsAndNeedsAName)
{
    store({{"OF_NAME", "ร้านเดิม"}, {"PREFIX1", "ISSU"}});
    TRef_Office_Sql window;
    EXPECT_EQ(window.fields()->text(QStringLiteral("OF_NAME")), QStringLiteral("ร้านเดิม"));
    EXPECT_TRUE(locked(window, "OF_NAME")) << "nothing can be typed before edit";
    EXPECT_FALSE(window.logo().isNull()) << "logo.bmp of the data folder";
    EXPECT_FALSE(Enabled(window, "Save"));

    Trigger(window, "Edit");
    EXPECT_FALSE(locked(window, "OF_NAME"));
    EXPECT_FALSE(Enabled(window, "Close"));
    EXPECT_TRUE(Enabled(window, "Refresh"));
    window.fields()->setText(QStringLiteral("OF_NAME"), QStringLiteral(" "));
    Trigger(window, "Save");
    EXPECT_EQ(dialogs.messages(), QStringList{"ไม่มีข้อมูลรหัส ... "});
    EXPECT_EQ(stored("OF_NAME"), QStringLiteral("ร้านเดิม"));

    window.fields()->setText(QStringLiteral("OF_NAME"), QStringLiteral("ร้านใหม่"));
    window.fields()->setText(QStringLiteral("OF_TEL"), QStringLiteral("053-111222"));
    Trigger(window, "Save");
    EXPECT_EQ(window.mode(), QStringLiteral("normal"));
    EXPECT_EQ(stored("OF_NAME"), QStringLiteral("ร้านใหม่"));
    EXPECT_EQ(stored("OF_TEL"), QStringLiteral("053-111222"));
    EXPECT_EQ(stored("OF_NO"), QStringLiteral("001"));
    EXPECT_EQ(stored("PREFIX1"), QStringLiteral("ISSU")) << "the settings' columns are not the company's";

    // Cancel puts the stored values back.
    Trigger(window, "Edit");
    window.fields()->setText(QStringLiteral("OF_NAME"), QStringLiteral("ไม่บันทึก"));
    Trigger(window, "Cancel");
    EXPECT_EQ(window.fields()->text(QStringLiteral("OF_NAME")), QStringLiteral("ร้านใหม่"));
    EXPECT_TRUE(locked(window, "OF_NAME"));
}

TEST_F(SettingsWindows, EveryPrefixOnScreenMustHaveFourCharacters)
{
    store({{"PREFIX2", "XY"}}); // a hidden prefix that is too short does not block the save
    TRef_Sys_Sql window;
    const struct
    {
        const char *prefix1;
        const char *prefix3;
        bool saved;
    } cases[] = {{"AB", "RECV", false}, {"ISSU", "REC", false}, {"ISS ", "RECV", true}, {"OUT1", "IN01", true}};
    for (const auto &c : cases) {
        dialogs.clear();
        Trigger(window, "Edit");
        window.fields()->setText(QStringLiteral("PREFIX1"), QString::fromLatin1(c.prefix1));
        window.fields()->setText(QStringLiteral("PREFIX3"), QString::fromLatin1(c.prefix3));
        Trigger(window, "Save");
        EXPECT_EQ(dialogs.messages(), c.saved ? QStringList() : QStringList{"ข้อมูลหมวดนำหน้าไม่ครบ 4 หลัก"}) << c.prefix1;
        EXPECT_EQ(window.mode(), c.saved ? QStringLiteral("normal") : QStringLiteral("edit")) << c.prefix1;
        if (!c.saved)
            Trigger(window, "Cancel");
    }
    EXPECT_EQ(stored("PREFIX1"), QStringLiteral("OUT1"));
    EXPECT_EQ(stored("PREFIX3"), QStringLiteral("IN01"));
    EXPECT_EQ(stored("PREFIX2"), QStringLiteral("XY"));
}

TEST_F(SettingsWindows, ChoicesSaveTheirPositionAndKeepAStoredValueTheUserDidNotChange)
{
    store({{"LINE5", "5"}, {"LINE1", "1"}, {"VIEW1", "0"}, {"COM_PORT", "2"}, {"TYPE_VAT", "1"}, {"LINE6", "9"},
           {"F_REM_IN", "ค้าง"}, {"F_REM_OUT", "ค้าง"}});
    TRef_Sys_Sql window;
    const auto option = [&window](const char *name) { return window.findChild<QRadioButton *>(QString::fromLatin1(name)); };
    ASSERT_NE(option("LINE5_3"), nullptr);
    EXPECT_TRUE(option("LINE5_3")->isChecked()) << "a stored 5 shows as the fourth layout";
    EXPECT_FALSE(option("LINE5_0")->isEnabled()) << "choices are locked outside edit";

    Trigger(window, "Edit");
    Trigger(window, "Save");
    EXPECT_EQ(stored("LINE5"), QStringLiteral("5")) << "an untouched choice keeps its stored value";
    for (const auto &[column, value] : {std::pair{"COM_PORT", "2"}, std::pair{"TYPE_VAT", "1"}, std::pair{"LINE6", "9"}})
        EXPECT_EQ(stored(column), QString::fromLatin1(value)) << column;
    EXPECT_EQ(stored("F_REM_IN"), QString());
    EXPECT_EQ(stored("F_REM_OUT"), QString());

    Trigger(window, "Edit");
    option("LINE5_1")->click();
    option("VIEW1_1")->click();
    Trigger(window, "Save");
    EXPECT_EQ(stored("LINE5"), QStringLiteral("1"));
    EXPECT_EQ(stored("VIEW1"), QStringLiteral("1"));
    EXPECT_EQ(stored("LINE1"), QStringLiteral("1"));
}

TEST_F(SettingsWindows, MarginsAreNumbersInTheLocalesForm)
{
    TRef_Sys_Sql window;
    Trigger(window, "Edit");
    window.fields()->setText(QStringLiteral("PRN_TOP"), QStringLiteral("12,5")); // the C locale writes 12.5
    Trigger(window, "Save");
    EXPECT_EQ(dialogs.messages(), QStringList{"ตัวเลข...ไม่ถูกต้อง "});
    EXPECT_EQ(window.mode(), QStringLiteral("edit"));
    EXPECT_EQ(stored("PRN_TOP"), QStringLiteral("10"));

    window.fields()->setText(QStringLiteral("PRN_TOP"), QStringLiteral("12.5"));
    Trigger(window, "Save");
    EXPECT_EQ(scalar(QStringLiteral("select prn_top from orvexsys")).toDouble(), 12.5);
    EXPECT_EQ(window.fields()->text(QStringLiteral("PRN_TOP")), QStringLiteral("12.5"));
}

TEST_F(SettingsWindows, ASaveThatFindsNoRowSaysSo)
{
    TRef_Office_Sql window;
    Trigger(window, "Edit");
    store({{"OF_NO", "002"}}); // another copy changed the row's branch code meanwhile
    window.fields()->setText(QStringLiteral("OF_NAME"), QStringLiteral("ร้านใหม่"));
    Trigger(window, "Save");
    EXPECT_EQ(dialogs.errors(), QStringList{"ขณะนี้ ไม่สามารถบันทึกข้อมูลได้ "});
    EXPECT_EQ(window.mode(), QStringLiteral("edit"));
}
