; Start-up file of velmo: loads the English data (attributes, lexicon,
; morphology and the lexical analyzer) and the English grammar.
(load "en/english.lsp")
(load "en/grammar.lsp")
