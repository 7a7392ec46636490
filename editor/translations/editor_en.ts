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
