#include "support/game_digest.h"

#include <sstream>
#include <vector>

#include "game/enemies/boss.h"
#include "game/enemies/enemy_manager.h"
#include "game/flow/game_globals.h"
#include "game/flow/game_start.h"
#include "game/flow/screens.h"
#include "game/player/message_queue.h"
#include "game/player/player.h"
#include "platform/headless.h"
#include "runtime/shell/runtime_state.h"
#include "support/digest.h"

namespace pelko::testing {
namespace {

using tessary::testing::Digest;

void AddSprite(Digest& d, const tessary::Sprite& s) {
    d.Add(s.active);
    d.Add(s.x);
    d.Add(s.y);
    d.Add(s.vx);
    d.Add(s.vy);
    d.Add(s.ax);
    d.Add(s.ay);
    d.Add(s.row);
    d.Add(s.frame);
    d.Add(s.drawMode);
    d.Add(s.image);
}

void AddObject(Digest& d, const GameObject& o) {
    AddSprite(d, o);
    d.Add(o.lastFireFrame);
    d.Add(o.scoreValue);
    d.Add(o.kind);
    d.Add(o.hp);
    d.Add(o.shotLimit);
    d.Add(o.fireInterval);
}

void AddShot(Digest& d, const Shot& s) {
    AddObject(d, s);
    d.Add(s.launchAngle);
    d.Add(s.delay);
    d.Add(s.levelY);
    d.Add(s.aimAngle);
    d.Add(s.targetPlayer);
    d.Add(s.special);
    d.Add(s.heading);
}

void AddPlayerFields(Digest& d, const Player& p) {
    d.Add(p.specialKind);
    d.Add(p.doubleShot);
    d.Add(p.bossCharging);
    d.Add(p.gameOver);
    d.Add(p.lives);
    d.Add(p.tp);
    d.Add(p.barrier);
    d.Add(p.barrierStart);
    d.Add(p.speed);
    d.Add(p.power);
    d.Add(p.lastHitFrame);
    d.Add(p.ringFirst);
    d.Add(p.ringOn);
    d.Add(p.lastShotFrame);
}

void AddPlayer(Digest& d, const Player& p) {
    AddObject(d, p);
    for (int i = 0; i < kPlayerShotSlots; ++i)
        AddShot(d, p.shots[i]);
    AddPlayerFields(d, p);
}

void AddGlobals(Digest& d, const GameGlobals& g) {
    d.Add(TheGame().frameCounter);
    d.Add(g.highScore);
    d.Add(g.nextExtend);
    d.Add(g.hardMode);
    d.Add(g.bossPhase);
    d.Add(g.stageNumber);
    d.Add(g.bossWarningFrame);
    d.Add(g.stageCleared);
    d.Add(g.clearBonusBase);
    d.Add(g.circleAngle);
}

void AddEnemies(Digest& d, const EnemyManager& m) {
    d.Add(m.stageStartFrame);
    d.Add(m.killCount);
    d.Add(m.lastKillX);
    d.Add(m.lastKillY);
    d.Add(m.ringNext);
    d.Add(m.nextRecordTime);
    const auto offset = m.stageText && m.readPos != nullptr ? m.readPos - m.stageText.get() : -1;
    d.Add(static_cast<uint64_t>(offset));
    for (const Enemy& e : m.enemies) {
        AddObject(d, e);
        d.Add(e.moveType);
        d.Add(e.spawnFrame);
        for (const Shot& s : e.shots)
            AddShot(d, s);
    }
}

void AddBoss(Digest& d, const Boss& b) {
    d.Add(b.circleMode);
    for (const Shot& s : b.shots)
        AddShot(d, s);
    d.Add(b.maxHp);
    d.Add(b.hp);
    for (const GameObject& part : b.parts)
        AddObject(d, part);
    d.Add(b.normalShotCount);
    d.Add(b.bossLastFire);
    d.Add(b.waitFrames);
    d.Add(b.scriptPos);
    d.Add(b.centreX);
    d.Add(b.centreY);
    d.Add(b.arrived);
    d.Add(b.firstFrame);
    for (uint8_t f : b.attackFlags)
        d.Add(f);
}

// Which screen runs, by its place in the chain (function addresses differ from run to run).
int32_t ScreenNumber() {
    const tessary::FrameCallback screens[] = {InGameFrame,    LogoFrame,        LogoToTitleFrame,
                                              TitleFrame,     DemoFrame,        EndingStartFrame,
                                              StaffRollFrame, StaffRollEndFrame};
    for (int i = 0; i < 8; ++i)
        if (tessary::Runtime().frameCallback == screens[i]) return i;
    return -1;
}

const char* const kScreenNames[] = {"InGame", "Logo",        "LogoToTitle", "Title",
                                    "Demo",   "EndingStart", "StaffRoll",   "StaffRollEnd"};

} // namespace

const char* ScreenName() {
    const int n = ScreenNumber();
    return n < 0 ? "unknown" : kScreenNames[n];
}

std::vector<StateSection> GameStateSections() {
    const GameGlobals& g = Globals();
    std::vector<StateSection> sections;
    auto add = [&sections](const char* name, auto fill) {
        Digest d;
        fill(d);
        sections.push_back({name, d.Value()});
    };
    add("run", [&](Digest& d) { AddGlobals(d, g); });
    for (int i = 0; i < g.playerCount; ++i) {
        if (g.players[i] == nullptr) continue;
        const Player& p = *g.players[i];
        // The ship and its own fields apart from its shots, so a difference names one or both.
        add(i == 0 ? "player 1" : "another player", [&](Digest& d) {
            AddObject(d, p);
            AddPlayerFields(d, p);
        });
        add(i == 0 ? "player 1 shots" : "another player's shots", [&](Digest& d) {
            for (int k = 0; k < kPlayerShotSlots; ++k)
                AddShot(d, p.shots[k]);
        });
    }
    add("weapon icon and decorations", [&](Digest& d) {
        AddObject(d, TheGame());
        for (const GameObject* deco : g.decorations)
            if (deco != nullptr) AddObject(d, *deco);
    });
    const EnemyManager& m = TheEnemies();
    add("enemies", [&](Digest& d) {
        d.Add(m.stageStartFrame);
        d.Add(m.killCount);
        d.Add(m.ringNext);
        d.Add(m.nextRecordTime);
        for (const Enemy& e : m.enemies) {
            AddObject(d, e);
            d.Add(e.moveType);
            d.Add(e.spawnFrame);
        }
    });
    add("enemy shots", [&](Digest& d) {
        for (const Enemy& e : m.enemies)
            for (const Shot& s : e.shots)
                AddShot(d, s);
    });
    const Boss& b = TheBoss();
    add("boss", [&](Digest& d) {
        d.Add(b.circleMode);
        d.Add(b.hp);
        for (const GameObject& part : b.parts)
            AddObject(d, part);
        d.Add(b.scriptPos);
        d.Add(b.waitFrames);
        for (uint8_t f : b.attackFlags)
            d.Add(f);
    });
    add("boss shots", [&](Digest& d) {
        for (const Shot& s : b.shots)
            AddShot(d, s);
    });
    add("item", [&](Digest& d) { AddObject(d, TheItem()); });
    add("messages", [&](Digest& d) {
        const MessageQueue& q = TheMessages();
        d.Add(q.count);
        d.Add(q.current);
        d.Add(q.typing);
        d.Add(static_cast<int32_t>(q.typewriter.shown));
    });
    return sections;
}

uint64_t GameStateDigest() {
    Digest d;
    const GameGlobals& g = Globals();
    AddGlobals(d, g);
    for (int i = 0; i < g.playerCount; ++i)
        if (g.players[i] != nullptr) AddPlayer(d, *g.players[i]);
    AddObject(d, TheGame());
    for (const GameObject* deco : g.decorations)
        if (deco != nullptr) AddObject(d, *deco);
    AddEnemies(d, TheEnemies());
    AddBoss(d, TheBoss());
    AddObject(d, TheItem());
    const MessageQueue& q = TheMessages();
    d.Add(q.count);
    d.Add(q.current);
    d.Add(q.typing);
    d.Add(static_cast<int32_t>(q.typewriter.shown));
    d.Add(ScreenNumber());
    return d.Value();
}

std::string DescribeGameState() {
    std::ostringstream out;
    const GameGlobals& g = Globals();
    out << "frame " << TheGame().frameCounter << " stage " << g.stageNumber << " bossPhase "
        << int(g.bossPhase) << " cleared " << int(g.stageCleared) << "\n";
    if (g.players[0] != nullptr) {
        const Player& p = *g.players[0];
        out << "player at " << p.x << "," << p.y << " v " << p.vx << "," << p.vy << " score "
            << p.scoreValue << " hp " << p.hp << " lives " << p.lives << " tp " << p.tp
            << " gameOver " << int(p.gameOver) << "\n";
    }
    const EnemyManager& m = TheEnemies();
    int shown = 0;
    for (const Enemy& e : m.enemies)
        shown += e.active != 0 ? 1 : 0;
    out << "enemies shown " << shown << " kills " << m.killCount << " ringNext " << m.ringNext
        << " boss hp " << TheBoss().hp << "\n";
    return out.str();
}

uint64_t PresentedFrameDigest() {
    Digest d;
    for (uint32_t px : platform::headless::PresentedFrame())
        d.Add(px);
    return d.Value();
}

} // namespace pelko::testing
