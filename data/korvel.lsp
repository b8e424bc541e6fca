; Start-up file of velmo: loads the English data (attributes, lexicon,
; morphology and the lexical analyzer). The grammar is loaded from here once
; it exists.
(load "en/english.lsp")
