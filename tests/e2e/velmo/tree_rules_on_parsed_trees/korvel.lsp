(load "syn.lsp")
(make-avmeaning-proto syn avm)
(make-lexicon lex 101 :ending-table ((p s third) (p "" base)))
(lex lex
  (Ann (avm ((cat n) (num sg))))
  (Bob (avm ((cat n) (num sg))))
  (see (avm ((cat v))))
  (New York (avm ((cat n) (num sg)))))
(make-lex-analyzer ana :lexicon lex)
(def-korvel-parser demo :attribute-vector-type syn :lexical-analyzer ana
  :lexical-attributes (cat num lexitem) :default-percolating-attributes (num))
(def-category N (visible-atts (cat num lexitem)))
(def-category V (visible-atts (cat num lexitem)))
(def-modifiers V (? (N (dep-type s))) (:head) (? (N (dep-type obj))))
(roots (V) (N))
; Every finished tree is rewritten: the relation s becomes subj, and the
; part of a multi-word name gets a category.
(def-tree-rules REWRITE
  (down (node (rel (str= s))) (set-rel (match) (str subj)))
  (up (tree N (cat (str= N)) (node P (rel (str= lex-mod)))) (set-cat (get-val P) (str Part))))
(set-deps-modifier demo REWRITE)
