"""The benchmark's pieces: chord charts of traditional tunes and of the
progressions every songbook has, as (name, tempo, beats per chord, chords).
A chord is written ROOT:QUALITY[/BASS-DEGREE] in Harte's syntax."""

CHARTS = [
    ("rising_sun", 100, 3, "A:min C:maj D:maj F:maj A:min C:maj E:maj E:maj "
                           "A:min C:maj D:maj F:maj A:min E:maj A:min E:maj"),
    ("canon", 80, 4, "D:maj A:maj/3 B:min F#:min/3 G:maj D:maj/3 G:maj A:maj "
                     "D:maj A:maj B:min F#:min G:maj D:maj G:maj A:7"),
    ("blues_a", 120, 4, "A:7 D:7 A:7 A:7 D:7 D:7 A:7 A:7 E:7 D:7 A:7 E:7"),
    ("autumn", 110, 4, "C:min7 F:7 Bb:maj7 Eb:maj7 A:hdim7 D:7 G:min G:min "
                       "C:min7 F:7 Bb:maj7 Eb:maj7 A:hdim7 D:7 G:min7 G:min7"),
    ("greensleeves", 90, 3, "A:min G:maj F:maj E:maj A:min G:maj E:maj E:maj "
                            "C:maj G:maj A:min E:maj C:maj G:maj E:maj A:min"),
    ("amazing_grace", 84, 3, "G:maj G:7 C:maj G:maj G:maj E:min A:7 D:7 "
                             "G:maj G:7/3 C:maj G:maj/5 E:min D:7 G:maj G:maj"),
    ("pop_four", 96, 4, "C:maj G:maj A:min F:maj C:maj G:maj F:maj F:maj "
                        "A:min F:maj C:maj G:maj A:min F:maj G:maj C:maj"),
    ("doo_wop", 132, 4, "Eb:maj C:min Ab:maj Bb:7 Eb:maj C:min Ab:maj Bb:7 "
                        "Eb:maj7 C:min7 F:min7 Bb:7 Eb:maj Eb:maj"),
    ("scarborough", 96, 3, "D:min C:maj D:min D:min F:maj D:min G:maj D:min "
                           "D:min F:maj C:maj D:min A:min G:maj D:min D:min"),
    ("jazz_turn", 140, 4, "F:maj7 D:min7 G:min7 C:7 A:min7 D:7 G:min7 C:7 "
                          "F:maj7 F:7 Bb:maj7 Bb:min7 A:min7 D:7 G:min7 C:7 F:maj7"),
]
