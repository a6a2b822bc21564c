#include "testing/standin_proxy/behaviour.h"
#include "testing/standin_proxy/log_lines.h"

#include <gtest/gtest.h>

#include <string>

using standin::Behaviour;
using standin::Mode;
using standin::ParseBehaviour;

TEST(StandinBehaviour, EveryBehaviourReadsBackFromItsOwnLine) {
    const Behaviour all[] = {{Mode::Normal, 0},     {Mode::SlowStart, 3}, {Mode::ExitAtOnce, 0},
                             {Mode::IgnoreStop, 0}, {Mode::LogRate, 20},  {Mode::SlowStart, 600},
                             {Mode::LogRate, 1000}};
    for (const Behaviour& behaviour : all) {
        const std::string line = standin::FormatBehaviour(behaviour);
        EXPECT_EQ(ParseBehaviour(line), behaviour) << line;
        // As a test writes it into the file.
        EXPECT_EQ(ParseBehaviour(line + "\r\n"), behaviour) << line;
    }
}

TEST(StandinBehaviour, ToleratesWhatAnEditorLeaves) {
    EXPECT_EQ(ParseBehaviour(""), Behaviour{});
    EXPECT_EQ(ParseBehaviour(" \r\n\t"), Behaviour{});
    EXPECT_EQ(ParseBehaviour("  Slow-Start\t 5  \n"), (Behaviour{Mode::SlowStart, 5}));
    EXPECT_EQ(ParseBehaviour("\xEF\xBB\xBFIGNORE-STOP\r\n"), (Behaviour{Mode::IgnoreStop, 0}));
}

TEST(StandinBehaviour, RejectsWhatItDoesNotKnow) {
    for (const char* text :
         {"fast", "normally", "slow-start", "slow-start 0", "slow-start -3", "slow-start +3",
          "slow-start 601", "slow-start 3s", "slow-start 99999999999999999999", "log-rate",
          "log-rate 1001", "log-rate 0x10", "exit-at-once 2", "normal please",
          "ignore-stop\nnormal"}) {
        EXPECT_EQ(ParseBehaviour(text), std::nullopt) << text;
    }
}

TEST(StandinLogLines, RuleLineShowsAddressesMostSignificantByteFirst) {
    CRule rule;
    rule.Name = "Office";
    rule.Enable = true;
    rule.SrcFirstIp = 3232235777u; // 192.168.1.1
    rule.SrcLastIp = 3232236030u;  // 192.168.1.254
    rule.TargetAddress = "vpn.example.com";
    EXPECT_EQ(standin::FormatRuleLine(1, rule),
              "Rule 1 \"Office\": enabled, 192.168.1.1-192.168.1.254 -> vpn.example.com");
    rule.Enable = false;
    rule.SrcFirstIp = 0;
    rule.SrcLastIp = 0xFFFFFFFFu;
    EXPECT_EQ(standin::FormatRuleLine(12, rule),
              "Rule 12 \"Office\": disabled, 0.0.0.0-255.255.255.255 -> vpn.example.com");
}
