;; The English data of velmo: the attribute type, the lexicon with its
;; ending table and on-disk dictionary, the lexical rules and the lexical
;; analyzer the grammar's parser uses.

(load "en/attributes.lsp")
(load "en/lexicon.lsp")
(load "en/morphology.lsp")
(load "en/context.lsp")
(load "en/joins.lsp")

;; Items are made from the attribute-vector readings of an entry; its cost
;; record ("freq") and phrase list are read by the parser and the lexicon.
(make-lex-analyzer english-analyzer
  :lexicon english
  :lexical-rules english-rules
  :meaning-selector (comp (meaning-type) (str= avm)))
