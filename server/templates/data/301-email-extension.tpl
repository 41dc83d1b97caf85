# Pennova writing template (our own text)
id: 301
kind: high
category: 电子邮件|Emails
name: 邮件：向老师申请延期交作业|Email to a teacher asking for an extension
description: 适用于向老师或助教申请延期提交作业、论文的邮件。主题行写清事由，正文说明原因、目前进度和新的提交日期，语气礼貌简洁。
title: Request for an Extension on [标题中的作业，如 the Final Essay] || 关于[标题中的作业，如 the Final Essay]延期提交的申请

[block]
Dear [老师，如 Professor Lee], || 尊敬的[老师，如 Professor Lee]：

[block]
I am [姓名，如 Li Hua] from your [课程，如 Academic Writing] class. || 我是您[课程，如 Academic Writing]课上的[姓名，如 Li Hua]。
I am writing to ask whether I could have more time for [作业，如 the final essay]. || 我写信想问一下能否给我更多时间完成[作业，如 the final essay]。
[alternative]
I hope you are well. || 希望您一切都好。
I am writing about [作业，如 the final essay], which is due on [截止日期，如 Friday]. || 我写信是关于[截止日期，如 Friday]到期的[作业，如 the final essay]。

[block]
The reason is that [原因，如 I was ill for most of last week]. || 原因是[原因，如 I was ill for most of last week]。
I have attached [证明，如 a note from the doctor] for your reference. || 我附上了[证明，如 a note from the doctor]供您参考。
[alternative]
Unfortunately, [原因，如 my laptop broke down and I lost part of my draft]. || 不巧的是，[原因，如 my laptop broke down and I lost part of my draft]。
I am now working hard to rewrite the missing parts. || 我现在正在努力重写丢失的部分。

[block]
So far, I have finished [进度，如 the outline and the first two sections]. || 到目前为止，我已经完成了[进度，如 the outline and the first two sections]。
I believe I can hand it in by [新日期，如 next Wednesday]. || 我相信我能在[新日期，如 next Wednesday]之前交上。

[block]
I am sorry for any trouble this may cause. || 如因此给您带来不便，我深表歉意。
Thank you for your understanding. || 感谢您的理解。

[block]
Best regards, \n || 祝好，\n
[姓名，如 Li Hua] || [姓名，如 Li Hua]

[common]
I would be very grateful for a short extension. || 如能稍作延期，我将不胜感激。
I fully understand if this is not possible. || 如果不行，我完全理解。
I will make sure it does not happen again. || 我保证下不为例。
Could we talk about it after class? || 我们能在课后谈谈这件事吗？
Please let me know if you need any other documents. || 如需其他材料，请告诉我。
I have been working on it every day. || 我每天都在写它。
Thank you for taking the time to read this email. || 感谢您抽出时间阅读这封邮件。
I look forward to your reply. || 期待您的回复。
