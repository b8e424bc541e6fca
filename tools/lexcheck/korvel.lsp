; Start-up file of the lexicon check: the English data and a parser without
; categories, so that each sentence only runs the lexical analyzer.
(load "en/english.lsp")
(def-korvel-parser lexicon-check :attribute-vector-type syn :lexical-analyzer english-analyzer)
