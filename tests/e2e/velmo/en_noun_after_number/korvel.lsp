; The default English data and a parser without categories: each sentence
; runs the lexical analyzer only, and `li` shows its items.
(load "en/english.lsp")
(def-korvel-parser lexical-items :attribute-vector-type syn :lexical-analyzer english-analyzer)
