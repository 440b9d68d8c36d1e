<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>MainControls</name>
    <message>
        <source>休符ペダル</source>
        <translation>Rest pedal</translation>
    </message>
    <message>
        <source>変  換</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>テスト演奏</source>
        <translation>Test play</translation>
    </message>
</context>
<context>
    <name>UserSettings</name>
    <message>
        <source>%1 は設定ファイルとして読めません</source>
        <translation>%1 cannot be read as a settings file</translation>
    </message>
    <message>
        <source>%1 を読み書きできません</source>
        <translation>%1 cannot be read or written</translation>
    </message>
</context>
<context>
    <name>merin::ui::EditControls</name>
    <message>
        <source>白鍵 C4〜B4（下のオクターブ）</source>
        <translation>White keys C4 to B4 (lower octave)</translation>
    </message>
    <message>
        <source>黒鍵 C#4〜A#4</source>
        <translation>Black keys C#4 to A#4</translation>
    </message>
    <message>
        <source>白鍵 C5〜B5（上のオクターブ）</source>
        <translation>White keys C5 to B5 (upper octave)</translation>
    </message>
    <message>
        <source>黒鍵 C#5〜A#5</source>
        <translation>Black keys C#5 to A#5</translation>
    </message>
    <message>
        <source>休符ペダル</source>
        <translation>Rest pedal</translation>
    </message>
    <message>
        <source>前 / 次のスロットへ（30 と 1 はつながる）</source>
        <translation>To the previous / next slot (30 and 1 are joined)</translation>
    </message>
    <message>
        <source>最初のスロット / 最後の音の次のスロットへ</source>
        <translation>To the first slot / the slot after the last note</translation>
    </message>
    <message>
        <source>今のスロットを消す（右クリックと同じ）</source>
        <translation>Clear the current slot (as a right click does)</translation>
    </message>
    <message>
        <source>今のスロットに空きを挿入し、後ろを右へずらす</source>
        <translation>Insert an empty slot here, moving the rest right</translation>
    </message>
    <message>
        <source>今のスロットを削除し、後ろを左へ詰める</source>
        <translation>Remove the current slot, moving the rest left</translation>
    </message>
    <message>
        <source>移調: 半音上げる / 下げる</source>
        <translation>Transpose: a semitone up / down</translation>
    </message>
    <message>
        <source>移調: 1 オクターブ上げる / 下げる</source>
        <translation>Transpose: an octave up / down</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>Edit(&amp;E)</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>消去(&amp;L)</source>
        <translation>C&amp;lear</translation>
    </message>
    <message>
        <source>挿入(&amp;I)</source>
        <translation>&amp;Insert</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>移調(&amp;T)</source>
        <translation>&amp;Transpose</translation>
    </message>
    <message>
        <source>半音上げる</source>
        <translation>Semitone up</translation>
    </message>
    <message>
        <source>半音下げる</source>
        <translation>Semitone down</translation>
    </message>
    <message>
        <source>1 オクターブ上げる</source>
        <translation>Octave up</translation>
    </message>
    <message>
        <source>1 オクターブ下げる</source>
        <translation>Octave down</translation>
    </message>
    <message>
        <source>前のスロット</source>
        <translation>Previous slot</translation>
    </message>
    <message>
        <source>次のスロット</source>
        <translation>Next slot</translation>
    </message>
    <message>
        <source>最初のスロット</source>
        <translation>First slot</translation>
    </message>
    <message>
        <source>最後の音の次のスロット</source>
        <translation>Slot after the last note</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>Help(&amp;H)</translation>
    </message>
    <message>
        <source>キー操作(&amp;K)</source>
        <translation>&amp;Keys</translation>
    </message>
    <message>
        <source>キー操作</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>キー</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>はたらき</source>
        <translation>Does</translation>
    </message>
    <message>
        <source>Merinkast98 について(&amp;A)</source>
        <translation>&amp;About Merinkast98</translation>
    </message>
    <message>
        <source>Merinkast98 について</source>
        <translation>About Merinkast98</translation>
    </message>
    <message>
        <source>Merinkast98 %1
DoCoMo 携帯電話の着信メロディ作曲支援

MIT ライセンスの自由なソフトウェアです。

作業中と保管されたメロディの置き場所:
%2</source>
        <translation>Merinkast98 %1
A ringtone composer for DoCoMo handsets

Free software under the MIT licence.

Where the melodies being worked on and kept are stored:
%2</translation>
    </message>
</context>
<context>
    <name>merin::ui::FileColumns</name>
    <message>
        <source>フォルダ</source>
        <translation>Folder</translation>
    </message>
</context>
<context>
    <name>merin::ui::MelodyFiles</name>
    <message>
        <source>ファイルを開けません。</source>
        <translation>The file cannot be opened.</translation>
    </message>
    <message>
        <source>新規(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>最近使ったファイル(&amp;R)</source>
        <translation>&amp;Recent files</translation>
    </message>
    <message>
        <source>エクスポート(&amp;E)...</source>
        <translation>&amp;Export...</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>Edit(&amp;E)</translation>
    </message>
    <message>
        <source>変更はありません（すべての音がそのまま入りました）</source>
        <translation>Nothing changed (every note went in as it was)</translation>
    </message>
    <message>
        <source>保存できませんでした</source>
        <translation>Could not save</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>エクスポート</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>エクスポートできませんでした</source>
        <translation>Could not export</translation>
    </message>
    <message>
        <source>クリップボード</source>
        <translation>clipboard</translation>
    </message>
    <message>
        <source>クリップボードの内容を読み込めません。</source>
        <translation>The clipboard cannot be read as a melody.</translation>
    </message>
    <message>
        <source>対応する形式 (%1)</source>
        <translation>Supported formats (%1)</translation>
    </message>
    <message>
        <source>すべてのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>保管されたメロディ(&amp;L)</source>
        <translation>&amp;Kept melodies</translation>
    </message>
    <message>
        <source>メロディを保管できませんでした</source>
        <translation>The melody could not be kept</translation>
    </message>
    <message>
        <source>%1 を読み込みました: %2

%3</source>
        <translation>%1 read: %2

%3</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>メロディのタイトル（%1 文字まで）:</source>
        <translation>The melody&apos;s title (up to %1 characters):</translation>
    </message>
    <message>
        <source>曲を選ぶ</source>
        <translation>Choose a tune</translation>
    </message>
    <message>
        <source>%1. %2 — %3</source>
        <translation>%1. %2 — %3</translation>
    </message>
    <message>
        <source>%1. %2（%3 音）</source>
        <translation>%1. %2 (%3 notes)</translation>
    </message>
    <message>
        <source>設定を読み書きできませんでした</source>
        <translation>The settings could not be read or written</translation>
    </message>
    <message>
        <source>%1 を保存しました</source>
        <translation>Saved %1</translation>
    </message>
    <message>
        <source>%1 を書き出しました</source>
        <translation>Exported %1</translation>
    </message>
    <message>
        <source>戻す</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>RTTTL を貼り付け(&amp;P)</source>
        <translation>&amp;Paste RTTTL</translation>
    </message>
    <message>
        <source>RTTTL をコピー(&amp;C)</source>
        <translation>&amp;Copy RTTTL</translation>
    </message>
    <message>
        <source>タイトル(&amp;E)...</source>
        <translation>Titl&amp;e...</translation>
    </message>
    <message>
        <source>「%1」</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>%1 は、このメロディを開くか保存した後に変更されています。上書きしますか？
「いいえ」では名前を付けて保存します。</source>
        <translation>%1 has changed since this melody was opened or saved. Write over it?
“No” saves it under a new name.</translation>
    </message>
    <message>
        <source>前回の作業が残っています</source>
        <translation>Work from an earlier run was kept</translation>
    </message>
    <message>
        <source>前回の作業を捨てる</source>
        <translation>Discard the earlier work</translation>
    </message>
</context>
<context>
    <name>merin::ui::MerinMain</name>
    <message>
        <source>Merinkast98   - DoCoMo携帯 作曲支援 -</source>
        <translation>Merinkast98   - Ringtone composer for DoCoMo handsets -</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>画像ファイルを読み込めません:
%1

%2</source>
        <translation>A picture file cannot be read:
%1

%2</translation>
    </message>
</context>
<context>
    <name>merin::ui::MidiControls</name>
    <message>
        <source>MIDI 入力(&amp;M)</source>
        <translation>MIDI input(&amp;M)</translation>
    </message>
</context>
<context>
    <name>merin::ui::PartDialog</name>
    <message>
        <source>パートを選ぶ</source>
        <translation>Choose a part</translation>
    </message>
    <message>
        <source>番号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>トラック名</source>
        <translation>Track name</translation>
    </message>
    <message>
        <source>チャンネル</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>音色</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>音の数</source>
        <translation>Onsets</translation>
    </message>
    <message>
        <source>最低音</source>
        <translation>Lowest</translation>
    </message>
    <message>
        <source>最高音</source>
        <translation>Highest</translation>
    </message>
    <message>
        <source>曲の何番目の音から(&amp;S):</source>
        <translation>&amp;From note N of the tune:</translation>
    </message>
    <message>
        <source>30 スロットを鳴らす</source>
        <translation>Play the 30 slots</translation>
    </message>
</context>
<context>
    <name>merin::ui::SoloutForm</name>
    <message>
        <source>変換結果</source>
        <translation>Conversion result</translation>
    </message>
</context>
</TS>
