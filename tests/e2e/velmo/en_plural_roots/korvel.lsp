; The default English data and a parser without categories: each sentence
; runs the lexical analyzer only, and `li` shows its items. A plural that the
; treebank lemmatises to its singular (hours, folks, legs) is read through the
; plural ending, with the singular as its root; one the treebank keeps as its
; own lemma (regards) keeps its own entry too.
(load "en/english.lsp")
(def-korvel-parser lexical-items :attribute-vector-type syn :lexical-analyzer english-analyzer)
