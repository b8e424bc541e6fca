; The default English data and a parser without categories: `li` shows the
; readings each word keeps after the contextual rules.
(load "en/english.lsp")
(def-korvel-parser context-rules :attribute-vector-type syn :lexical-analyzer english-analyzer)
