<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="ja_JP">
<context>
    <name>editor::AboutDialog</name>
    <message>
        <source>pelkogame の設定を Game.ini に書き込みます</source>
        <translation>Writes pelkogame's settings into Game.ini</translation>
    </message>
    <message>
        <source>PelkoGameOptionEditerのﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About PelkoGameOptionEditer</translation>
    </message>
</context>
<context>
    <name>editor::KeyButton</name>
    <message>
        <source>キーを押してください</source>
        <translation>Press a key</translation>
    </message>
</context>
<context>
    <name>editor::KeysGroup</name>
    <message>
        <source>キー</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>上へ移動</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>下へ移動</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>左へ移動</source>
        <translation>Move left</translation>
    </message>
    <message>
        <source>右へ移動</source>
        <translation>Move right</translation>
    </message>
    <message>
        <source>ショット</source>
        <translation>Fire</translation>
    </message>
    <message>
        <source>ブレーキ</source>
        <translation>Brake</translation>
    </message>
    <message>
        <source>次の特殊攻撃</source>
        <translation>Next special attack</translation>
    </message>
    <message>
        <source>特殊攻撃</source>
        <translation>Special attack</translation>
    </message>
    <message>
        <source>プレイをやめる</source>
        <translation>End the run</translation>
    </message>
    <message>
        <source>ポーズ</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>標準のキーに戻す</source>
        <translation>Default keys</translation>
    </message>
    <message>
        <source>このキーはゲームで使えません</source>
        <translation>The game does not read this key</translation>
    </message>
    <message>
        <source>%1 はすでに「%2」に使われています</source>
        <translation>%1 is already the key for &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1 はゲームの終了に使われます</source>
        <translation>%1 quits the game</translation>
    </message>
    <message>
        <source>%1 はタイトルでハードモードを切り替えます</source>
        <translation>%1 switches hard mode on the title</translation>
    </message>
    <message>
        <source>%1 はスクリーンショットを保存します</source>
        <translation>%1 saves a screenshot</translation>
    </message>
    <message>
        <source>%1 は Alt+Enter の全画面切り替えに使われます</source>
        <translation>%1 is for Alt+Enter, full screen</translation>
    </message>
    <message>
        <source>%1 はデスクトップが使うキーです</source>
        <translation>%1 belongs to the desktop</translation>
    </message>
    <message>
        <source>%1 はボスの攻撃を始めるキーです</source>
        <translation>%1 starts a boss attack</translation>
    </message>
</context>
<context>
    <name>editor::OptionDialog</name>
    <message>
        <source>Color設定</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>256色</source>
        <translation>256 colours</translation>
    </message>
    <message>
        <source>スクリーンモード</source>
        <translation>Screen mode</translation>
    </message>
    <message>
        <source>拡大の仕方</source>
        <translation>Scaling</translation>
    </message>
    <message>
        <source>シャープ</source>
        <translation>Sharp</translation>
    </message>
    <message>
        <source>整数倍だけ</source>
        <translation>Whole multiples</translation>
    </message>
    <message>
        <source>VRAMを使って描画する</source>
        <translation>Draw using video memory</translation>
    </message>
    <message>
        <source>VSyncを使用する</source>
        <translation>Use VSync</translation>
    </message>
    <message>
        <source>FPSを表示する</source>
        <translation>Show the frame rate</translation>
    </message>
    <message>
        <source>当たり判定枠を表示する</source>
        <translation>Show hit boxes</translation>
    </message>
    <message>
        <source>Flipを使う</source>
        <translation>Use page flipping</translation>
    </message>
    <message>
        <source>効果音の音量</source>
        <translation>Sound-effect volume</translation>
    </message>
    <message>
        <source>音楽の音量</source>
        <translation>Music volume</translation>
    </message>
    <message>
        <source>PelkoGameOptionEditer のﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
        <translation>&amp;About PelkoGameOptionEditer...</translation>
    </message>
    <message>
        <source>ERROR!
Game.iniに書き込みできませんでした。</source>
        <translation>ERROR!
Game.ini could not be written.</translation>
    </message>
</context>
</TS>
