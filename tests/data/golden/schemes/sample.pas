{$MODE DELPHI}
program Hello;
(* Prints a greeting
   and a number *)
uses SysUtils;
var
  Count: Integer;
begin
  Count := $FF + 12 * 3.5E2; // mixed numbers
  WriteLn('It''s ' + IntToStr(Count) + #13#10);
  IF Count > 0 THEN WriteLn({ inline comment } 'done')
  else WriteLn(True);
end.
