; A dictionary kept on disk, found through its header beside it.
(make-str-meaning-proto gloss)
(make-lexicon cache 53)
(link-lex-file cache words.hdr nowhere.hdr broken.hdr)
