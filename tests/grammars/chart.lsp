; A small ambiguous grammar for the chart tests: noun phrases with
; determiners, adjectives and prepositional phrases, clauses with subject,
; object and prepositional modifiers, and coordination of noun phrases.
(def-korvel-parser chart :attribute-vector-type syn
  :lexical-attributes (cat num args head_final node lexitem move check slash cm govern control last_conj opt trace guest)
  :default-percolating-attributes (num trace move))
(def-category Det)
(def-category PP (visible-atts (cat)))
(def-category A)
(def-category P)
(def-category N (visible-atts (cat num)))
(def-category V (visible-atts (cat move)) (subcat-atts (cat)))
(def-category NP
  (visible-atts (cat num last_conj))
  (conj-atts (cat) (num)))
(def-modifiers NP
  (? (Det (dep-type det)))
  (* (A (dep-type amod)))
  (:head (N))
  (* (PP (dep-type pmod))))
(def-modifiers PP (:head (P)) ((NP (dep-type pobj))))
(def-category S (visible-atts (cat)))
(def-modifiers S
  (* (PP (dep-type vmod)))
  ((NP (dep-type subj)))
  (:head (V))
  (? (NP (dep-type obj)))
  (* (PP (dep-type vmod))))
(def-category Wh (visible-atts (cat)))
(def-modifiers Wh ((N (check-slash wh) (dep-type wh))) (:head (V)))
(roots (S) (NP) (Wh))
