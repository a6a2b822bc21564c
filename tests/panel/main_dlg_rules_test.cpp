// The rule list on the Proxy page: rows, the rule commands, the modified flag
// with its note, and the save that comes before a start.
#include "main_dlg_fixture.h"

#include <gmock/gmock.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;

std::vector<std::string> Names(const CRules& rules) {
    std::vector<std::string> names;
    for (const CRule& rule : rules) {
        names.push_back(rule.Name);
    }
    return names;
}

class ProxyRulesTest : public ProxyPageTest {
protected:
    void InitialiseWithFive() {
        SaveToFile({MakeRule("r0", 0x0A000000, 0x0A000000, "t0"),
                    MakeRule("r1", 0x0A000001, 0x0A000001, "t1"),
                    MakeRule("r2", 0x0A000002, 0x0A000002, "t2"),
                    MakeRule("r3", 0x0A000003, 0x0A000003, "t3"),
                    MakeRule("r4", 0x0A000004, 0x0A000004, "t4")});
        Initialise();
    }
};

TEST_F(ProxyRulesTest, RowsShowTheLoadedRulesInOrderWithoutChangingTheFlag) {
    SaveToFile({MakeRule("Office", 0x0A000001, 0x0A000009, "vpn.example"),
                MakeRule("Lab", 0xC0A80105, 0xC0A80105, "10.1.1.1", false),
                MakeRule("Any", 0, 0xC0A801FE, "vpn")});
    Initialise();
    EXPECT_THAT(view.Column(&RuleRow::name), ElementsAre(L"Office", L"Lab", L"Any"));
    EXPECT_THAT(view.Column(&RuleRow::source),
                ElementsAre(L"10.0.0.1-10.0.0.9", L"192.168.1.5", L"0.0.0.0-192.168.1.254"));
    EXPECT_THAT(view.Column(&RuleRow::destination),
                ElementsAre(L"vpn.example", L"10.1.1.1", L"vpn"));
    EXPECT_TRUE(view.rows.at(0).checked);
    EXPECT_FALSE(view.rows.at(1).checked);
    EXPECT_FALSE(logic.AreRulesModified());
    EXPECT_FALSE(view.noteShown);
}

TEST_F(ProxyRulesTest, NewRuleIsAppendedEnabledOnlyWhenAccepted) {
    InitialiseWithFive();
    // The editor starts from these; cancelled, it hands nothing over.
    const CRuleEditorFields offered = CMainDlgLogic::NewRuleFields();
    EXPECT_EQ(offered.ruleName, L"New Rule");
    EXPECT_FALSE(offered.editing);
    EXPECT_EQ(offered.firstIp, 0u);
    EXPECT_EQ(logic.Rules().size(), 5u);
    EXPECT_FALSE(logic.AreRulesModified());

    CRuleEditorFields fields = offered;
    fields.ruleName = L"Branch";
    fields.firstIp = 0x0A000005;
    fields.lastIp = 0x0A000005;
    fields.serverAddress = L"10.1.1.1";
    logic.AddRule(fields);
    ASSERT_EQ(logic.Rules().size(), 6u);
    const CRule& added = logic.Rules().back();
    EXPECT_EQ(added.Name, "Branch");
    EXPECT_EQ(added.TargetAddress, "10.1.1.1");
    EXPECT_TRUE(added.Enable);
    EXPECT_EQ(added.TargetPort, 0);
    EXPECT_EQ(view.rows.back().source, L"10.0.0.5");
    EXPECT_TRUE(view.rows.back().checked);
    EXPECT_TRUE(logic.AreRulesModified());
    EXPECT_TRUE(view.noteShown);
    // Nothing reaches the file before a start or the save at exit.
    EXPECT_EQ(LoadFromFile().size(), 5u);
}

TEST_F(ProxyRulesTest, EditChangesTheFirstSelectedRuleAndKeepsItsFlag) {
    SaveToFile({MakeRule("r0", 1, 1, "t0"), MakeRule("r1", 1, 1, "t1"),
                MakeRule("r2", 0x0A000001, 0x0A000002, "t2", false), MakeRule("r3", 1, 1, "t3"),
                MakeRule("r4", 1, 1, "t4")});
    Initialise();
    // Rows 2 and 4 selected: the page hands over the first.
    const std::optional<CRuleEditorFields> shown = logic.EditFields(2);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(shown->editing);
    EXPECT_EQ(shown->ruleName, L"r2");
    EXPECT_EQ(shown->firstIp, 0x0A000001u);
    EXPECT_EQ(shown->lastIp, 0x0A000002u);
    EXPECT_EQ(shown->serverAddress, L"t2");

    CRuleEditorFields edited = *shown;
    edited.ruleName = L"edited";
    edited.lastIp = 0x0A000003;
    logic.ReplaceRule(2, edited);
    EXPECT_THAT(Names(logic.Rules()), ElementsAre("r0", "r1", "edited", "r3", "r4"));
    EXPECT_FALSE(logic.Rules().at(2).Enable);
    EXPECT_EQ(view.rows.at(2).source, L"10.0.0.1-10.0.0.3");
    EXPECT_TRUE(logic.AreRulesModified());
}

TEST_F(ProxyRulesTest, EditCancelledChangesNothingAndAcceptedUnchangedCountsAsAChange) {
    InitialiseWithFive();
    // Cancelled: the page asked for the fields and hands nothing back.
    ASSERT_TRUE(logic.EditFields(1));
    EXPECT_EQ(logic.Rules().at(1).Name, "r1");
    EXPECT_FALSE(logic.AreRulesModified());

    logic.ReplaceRule(1, logic.EditFields(1).value());
    EXPECT_EQ(logic.Rules().at(1).Name, "r1");
    EXPECT_TRUE(logic.AreRulesModified());
    EXPECT_TRUE(view.noteShown);
}

TEST_F(ProxyRulesTest, CommandsWithoutASelection) {
    InitialiseWithFive();
    EXPECT_FALSE(logic.EditFields(-1));
    logic.RemoveRules({});
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages.at(0).text, L"Please selecte the rule first");
    EXPECT_EQ(view.messages.at(0).caption, L"Rule Edit");
    EXPECT_EQ(view.messages.at(0).icon, MessageIcon::Information);
    EXPECT_EQ(view.messages.at(1).text, L"Please select the rule(s) first.");
    EXPECT_EQ(view.messages.at(1).caption, L"Remove Rule");
    EXPECT_EQ(view.messages.at(1).icon, MessageIcon::Information);
    EXPECT_EQ(logic.Rules().size(), 5u);
    EXPECT_FALSE(logic.AreRulesModified());
}

TEST_F(ProxyRulesTest, RemoveDeletesTheSelectedRulesAndRowsAlike) {
    InitialiseWithFive();
    logic.RemoveRules({1, 3});
    EXPECT_THAT(Names(logic.Rules()), ElementsAre("r0", "r2", "r4"));
    EXPECT_THAT(view.Column(&RuleRow::name), ElementsAre(L"r0", L"r2", L"r4"));
    EXPECT_TRUE(logic.AreRulesModified());
    EXPECT_TRUE(view.noteShown);

    // The rows stay in step: a check-box change now reaches rule "r4".
    logic.OnRuleChecked(2, false);
    EXPECT_FALSE(logic.Rules().at(2).Enable);
    EXPECT_TRUE(logic.Rules().at(1).Enable);
}

TEST_F(ProxyRulesTest, CheckBoxesSwitchRulesAndSetTheFlag) {
    InitialiseWithFive();
    logic.OnRuleChecked(1, true); // a selection change: the box is as the rule
    EXPECT_FALSE(logic.AreRulesModified());
    EXPECT_FALSE(view.noteShown);

    logic.OnRuleChecked(1, false);
    EXPECT_FALSE(logic.Rules().at(1).Enable);
    EXPECT_TRUE(logic.AreRulesModified());
    EXPECT_TRUE(view.noteShown);

    logic.OnRuleChecked(1, true);
    EXPECT_TRUE(logic.Rules().at(1).Enable);
    EXPECT_TRUE(logic.AreRulesModified());

    // Rows the list does not have are ignored.
    logic.OnRuleChecked(7, true);
    logic.OnRuleChecked(-1, true);
}

TEST_F(ProxyRulesTest, NoteFollowsTheFlagWhenThePageBecomesActive) {
    InitialiseWithFive();
    logic.OnSetActive();
    EXPECT_FALSE(view.noteShown);
    logic.OnRuleChecked(1, false);
    view.noteShown = false; // the note as a page shown anew has it
    logic.OnSetActive();
    EXPECT_TRUE(view.noteShown);
}

TEST_F(ProxyRulesTest, StartRefusesWithoutAnEnabledRuleAndSavesNothing) {
    Initialise();
    logic.OnStartStop();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages.at(0).text, L"To run the server please create at least one rule.");
    EXPECT_EQ(view.messages.at(0).caption, L"Tarnlink");
    EXPECT_EQ(view.messages.at(0).icon, MessageIcon::Warning);

    CRuleEditorFields fields;
    fields.serverAddress = L"s";
    fields.firstIp = 1;
    fields.lastIp = 1;
    logic.AddRule(fields);
    logic.OnRuleChecked(0, false);
    logic.OnStartStop();
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages.at(1).text, L"To run the server please enable at least one rule.");
    EXPECT_EQ(view.messages.at(1).caption, L"Tarnlink");
    EXPECT_EQ(view.messages.at(1).icon, MessageIcon::Warning);
    EXPECT_EQ(scm.starts, 0);
    EXPECT_TRUE(LoadFromFile().empty());
    EXPECT_TRUE(logic.AreRulesModified());
    EXPECT_TRUE(view.noteShown);
}

TEST_F(ProxyRulesTest, StartSavesTheRulesBeforeTheServiceIsAsked) {
    InitialiseWithFive();
    logic.RemoveRules({0});
    std::vector<std::string> seenByService;
    scm.onStart = [&] { seenByService = Names(LoadFromFile()); };
    logic.OnStartStop();
    EXPECT_THAT(seenByService, ElementsAre("r1", "r2", "r3", "r4"));
    EXPECT_FALSE(logic.AreRulesModified());
    EXPECT_FALSE(view.noteShown);
}

TEST_F(ProxyRulesTest, StartSavesEvenWhenTheRequestIsRefused) {
    InitialiseWithFive();
    logic.OnRuleChecked(4, false);
    scm.startError = 1058;
    logic.OnStartStop();
    EXPECT_FALSE(LoadFromFile().at(4).Enable);
    EXPECT_FALSE(logic.AreRulesModified());
    EXPECT_FALSE(view.noteShown);
}

TEST_F(ProxyRulesTest, FailedSaveIsReportedAndDoesNotStartTheService) {
    const std::string unwritable = folder.File("missing-folder") + "/Settings.ini";
    CMainDlgLogic page(view, view, scm, unwritable);
    ASSERT_EQ(page.Initialise(), 0u);
    CRuleEditorFields fields;
    fields.serverAddress = L"s";
    fields.firstIp = 1;
    page.AddRule(fields);
    page.OnStartStop();
    ASSERT_EQ(view.messages.size(), 1u);
    const MessageRequest& error = view.messages.at(0);
    EXPECT_THAT(error.text, ::testing::StartsWith(L"Could not save the settings to "));
    EXPECT_NE(error.text.find(std::wstring(unwritable.begin(), unwritable.end())),
              std::wstring::npos);
    EXPECT_EQ(error.text.find(L"error = 0"), std::wstring::npos);
    EXPECT_EQ(error.icon, MessageIcon::Error);
    EXPECT_EQ(scm.starts, 0);
    EXPECT_TRUE(logic.AreRulesModified());
    EXPECT_TRUE(view.noteShown);
    EXPECT_FALSE(page.SaveRules());
}

TEST_F(ProxyRulesTest, StopSavesNothing) {
    SaveToFile({MakeRule("r0", 1, 1, "t0")});
    Initialise(ScmDouble::kRunning);
    logic.OnRuleChecked(0, false);
    logic.OnStartStop();
    EXPECT_EQ(scm.stops, 1);
    EXPECT_TRUE(LoadFromFile().at(0).Enable);
    EXPECT_TRUE(logic.AreRulesModified());
    EXPECT_TRUE(view.noteShown);
}

} // namespace
