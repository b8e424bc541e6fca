; Patterns whose compilation would take minutes and gigabytes are refused.
(eval (comp (str aaa) (reg-match "((a{1,1000}){1,1000}){1,1000}" "a") (print-str)))
(eval (comp (str aaa) (reg-sub "((a{1,100}){1,100}){1,100}" "x") (print-str)))
(help "((a{1,1000}){1,1000}){1,1000}")
(classes "((a{1,1000}){1,1000}){1,1000}")
(objects "((a{1,1000}){1,1000}){1,1000}")
(eval (comp (str aaa) (reg-sub "(a)\\1" "x") (print-str)))
(eval (comp (str "aaa ") (reg-sub "(a{1,3}){2}" "x") (print-str)))
(echo still running)
