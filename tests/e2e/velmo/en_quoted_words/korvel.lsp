; The default English data and a parser without categories: each sentence
; runs the lexical analyzer only, and `li` shows its items. A word with an
; opening quote ('gifts) is looked up without it and keeps its real root;
; forms the lexicon holds with their apostrophe ('ll, 'em) stay as they are.
(load "en/english.lsp")
(def-korvel-parser lexical-items :attribute-vector-type syn :lexical-analyzer english-analyzer)
